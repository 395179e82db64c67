// The captions the wizard frame's Next and Cancel buttons have when it opens; written back onto
// the buttons on every step but the agreement step.
#pragma once
#include <string>

extern std::string g_strNextCaption;
extern std::string g_strCancelCaption;
