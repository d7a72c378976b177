#pragma once

#include <type_traits>

// The number of a control or message id, as the dialog template, the
// widgets and the message table count them.
template <class IdEnum>
requires std::is_enum_v<IdEnum>
constexpr int Id(IdEnum id)
{
    return static_cast<int>(id);
}
