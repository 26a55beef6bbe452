#pragma once

// The text the session shows for a failed assist.

#include <QString>
#include <exception>

namespace studio {

// A null pointer gives an empty text.
QString assistErrorText(std::exception_ptr error);

} // namespace studio
