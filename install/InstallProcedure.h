// The installation itself, carried out from the settings record.
#pragma once

// Clean-up of an earlier installation, files, installed log, program group and shortcuts,
// registry values, pre-set settings file. Always returns 0.
int installProduct();
