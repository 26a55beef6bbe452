#include "views/phases/footage/FootageLogic.h"

#include "model/Text.h"

namespace studio::footage {

QString percentText(double progress)
{
    return QString::number(text::saturatingInt64(progress * 100.0)) + u'%';
}

} // namespace studio::footage
