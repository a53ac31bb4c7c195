#include "vendor/VendorHost.h"

const std::u16string& VendorBaseUrl()
{
    static const std::u16string& url = *new std::u16string(u"http://" + std::u16string(VendorHost) + u"/");
    return url;
}
