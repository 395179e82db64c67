#include "app/NotificationPage.h"
#include "app/SetupSettings.h"
#include "app/WebAddress.h"
#include "install/InstallLog.h"
#include "support/AppContract.h"
#include "support/Paths.h"
#include <cstdio>
#include <cstring>

namespace {

// The "URL=" line of an Internet shortcut is read with a 260-byte buffer: a longer line
// arrives in pieces, and a later piece never begins with the address prefix.
constexpr size_t kHomePageLineBufferSize = 260;
constexpr const char* kAddressLinePrefix = "URL=http://";

bool mayStandInQuery(unsigned char c)
{
    if (c <= 0x20 || c >= 0x7F)
        return false;
    return strchr("\"<>\\^`{|}", c) == nullptr;
}

std::string percentEncode(const std::string& text)
{
    std::string encoded;
    for (unsigned char c : text) {
        if (mayStandInQuery(c)) {
            encoded += static_cast<char>(c);
        } else {
            char escape[4];
            snprintf(escape, sizeof escape, "%%%02X", c);
            encoded += escape;
        }
    }
    return encoded;
}

} // namespace

std::string homePageQuery(const std::string& homePagePath)
{
    LogLineReader reader(homePagePath, kHomePageLineBufferSize);
    std::string line;
    while (reader.next(line)) {
        if (!hasPrefix(line, kAddressLinePrefix))
            continue;
        size_t question = line.find('?');
        if (question == std::string::npos)
            return std::string();
        return percentEncode(line.substr(question));
    }
    return std::string();
}

std::string notificationPageAddress(const std::string& installDir)
{
    std::string query = homePageQuery(joinPath(installDir, contract::kHomePageFile));
    std::string address = contract::kVendorSite;
    if (query.empty())
        return address + contract::kInstalledPage;
    return address + contract::kInstScriptPage + query;
}

void installNotificationPage()
{
    openWebAddress(notificationPageAddress(setupSettings.installDir));
}
