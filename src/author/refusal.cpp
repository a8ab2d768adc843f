#include "author/refusal.h"

#include "common/failure.h"

namespace Orvane::Author {

void Refuse(const char* text, const std::string& detail) {
    throw MessageFailure(std::string(text) + ": " + detail);
}

}  // namespace Orvane::Author
