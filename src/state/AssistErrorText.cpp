#include "state/AssistErrorText.h"

#include "model/Json.h"

namespace studio {

QString assistErrorText(std::exception_ptr error)
{
    if (!error)
        return QString();
    try {
        std::rethrow_exception(error);
    } catch (const DecodingError& e) {
        return e.message();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error.");
    }
}

} // namespace studio
