#include "design/failures.h"

#include "design/texts.h"

#include <new>

namespace tarvex::design {

std::u16string_view failureMessage(const std::exception &failure)
{
    return dynamic_cast<const std::bad_alloc *>(&failure) != nullptr ? kCommandFailedNoMemory
                                                                     : kCommandFailed;
}

} // namespace tarvex::design
