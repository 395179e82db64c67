// Opening an address of the vendor's web site in the user's browser.
#pragma once
#include <string>

// Hands the address to the shell's "open" verb; the result is not looked at. No error box is
// allowed: with no handler for the address, the shell would otherwise wait for a user to pick
// a program, and an unattended setup would never end.
void openWebAddress(const std::string& address);
