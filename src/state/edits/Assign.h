#pragma once

// The write every named operation makes into a field: only when the value
// differs, reporting whether it did, so an operation can answer "changed".

#include <type_traits>
#include <utility>

namespace studio::edits {

template <typename T>
bool assign(T& field, std::type_identity_t<T> value)
{
    if (field == value)
        return false;
    field = std::move(value);
    return true;
}

} // namespace studio::edits
