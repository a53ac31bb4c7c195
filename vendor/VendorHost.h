#pragma once
#include <string>
#include <string_view>

// The vendor's web server, reached by plain HTTP on port 80. The name is a
// build setting kept out of the libraries: every program links exactly one
// definition of it (the product the configured host, the tests the loopback
// address), so the product is built once and tests never reach a real host.
// It is a constant, so it is valid before any other initialisation and until
// the process ends.
extern const std::u16string_view VendorHost;

// "http://" + VendorHost + "/". Built once and never destroyed, so threads
// still running while the process ends can read it.
const std::u16string& VendorBaseUrl();
