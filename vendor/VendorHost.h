#pragma once
#include <string>
#include <string_view>

#include "vendor/VendorHostSetting.h"

// The vendor's web server, reached by plain HTTP on port 80. A build setting,
// so that test and development builds never talk to a host we do not own.
inline constexpr std::u16string_view VendorHost = VERBOLA_VENDOR_HOST;

// "http://" + VendorHost + "/". Built once and never destroyed, so threads
// still running while the process ends can read it.
const std::u16string& VendorBaseUrl();
