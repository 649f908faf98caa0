#include "design/form1_design.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace tarvex::design {

namespace {

// The name the compiler gives an identity in the signature of a function templated on it:
// "...ControlId::Text1;..." for GCC, "...ControlId::Text1]" for Clang.
template<ControlId id> consteval std::string_view spelledName()
{
    const std::string_view signature = __PRETTY_FUNCTION__;
    constexpr std::string_view kScope = "ControlId::";
    const std::size_t start = signature.find(kScope) + kScope.size();
    return signature.substr(start, signature.find_first_of(";]", start) - start);
}

template<std::size_t... index> consteval bool namesMatchIds(std::index_sequence<index...>)
{
    return ((kControls[index].name == spelledName<static_cast<ControlId>(index)>()) && ...);
}

// Each row's name is the one its identity is spelled with, so that what Qt and the tests find a
// control by is what the windows know it as.
static_assert(namesMatchIds(std::make_index_sequence<kControls.size()>()));

} // namespace

std::array<std::size_t, kControls.size()> tabOrder()
{
    std::array<std::size_t, kControls.size()> order{};
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::ranges::sort(order, {}, [](std::size_t i) { return kControls[i].tabIndex; });
    return order;
}

} // namespace tarvex::design
