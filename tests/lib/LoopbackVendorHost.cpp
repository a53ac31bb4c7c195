// The test programs' vendor host: their own servers on this machine.
#include "vendor/VendorHost.h"

extern constexpr std::u16string_view VendorHost = u"127.0.0.1";
