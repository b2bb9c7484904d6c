#pragma once

#include <array>
#include <cstddef>

// A control of a control array by its index as the window's routines pass it;
// an index outside the array throws rather than reading past it.
template <std::size_t N, typename T> T *at(const std::array<T *, N> &controls, int index)
{
    return controls.at(static_cast<std::size_t>(index));
}
