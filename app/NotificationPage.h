// The vendor's page opened after an installation: installed.asp, or InstScript.asp carrying the
// query of the installed "HomePage.url".
#pragma once
#include <string>

// The query ("?..." up to the line end) of the first "URL=http://" line of the Internet shortcut
// file, empty when there is none. Bytes that a URL may not carry as they are (blanks, quotes,
// angle brackets, controls, bytes above 127) are percent-encoded: the address reaches the
// browser's command line through the shell, where a quote would end the argument.
std::string homePageQuery(const std::string& homePagePath);

// The page address for an installation in installDir.
std::string notificationPageAddress(const std::string& installDir);

// Opens the page for the installation in installDir of the settings record.
void installNotificationPage();
