#include "form1_design.h"

#include <algorithm>
#include <numeric>

namespace tarvex::design {

std::array<std::size_t, kControls.size()> tabOrder()
{
    std::array<std::size_t, kControls.size()> order{};
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::ranges::sort(order, {}, [](std::size_t i) { return kControls[i].tabIndex; });
    return order;
}

std::array<std::size_t, 8> optionIndexes()
{
    std::array<std::size_t, 8> options{};
    for (std::size_t i = 0; i < options.size(); ++i) {
        const char name[] = {'O', 'p', 't', 'i', 'o', 'n', static_cast<char>('1' + i)};
        options[i] = indexOf({name, sizeof name});
    }
    return options;
}

} // namespace tarvex::design
