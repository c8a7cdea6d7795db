#pragma once

#include <QString>

// The program asks for "宋体" in 12-pixel characters. Where that family is
// not installed, it is mapped, once per run, to an installed family whose
// character height at 12 pixels is exactly 12, so that rows and titles keep
// the heights they have on the target machines; failing that, to any
// family that writes Simplified Chinese; failing that, nothing is mapped.
// Returns the family "宋体" resolves to (itself when installed, empty when
// nothing was found). Needs the GUI application object; before it exists
// nothing is mapped and the call can be repeated.
QString mapMissingSongTi();
