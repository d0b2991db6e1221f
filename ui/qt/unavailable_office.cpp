#include "ui/qt/unavailable_office.hpp"

#include "core/word/office_messages.hpp"

namespace kalkora::qt {

UserMessage UnavailableOffice::Reason() { return OfficeMessage(kNoOfficeBackend); }

}  // namespace kalkora::qt
