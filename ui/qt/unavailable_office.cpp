#include "ui/qt/unavailable_office.hpp"

#include "core/word/office_messages.hpp"

namespace kalkora::qt {

OfficeBackend UnavailableOffice::Backend() {
  return {*this, *this, *this, OfficeMessage(kNoOfficeBackend)};
}

}  // namespace kalkora::qt
