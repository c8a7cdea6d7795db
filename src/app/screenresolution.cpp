#include "app/screenresolution.h"

#include "grid/tfont.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

int giveFontsScreenResolution() {
  const QScreen *screen = QGuiApplication::primaryScreen();
  if (!screen)
    return TFont::defaultPixelsPerInch();
  const int pixelsPerInch = int(std::lround(screen->logicalDotsPerInchX()));
  TFont::setDefaultPixelsPerInch(pixelsPerInch);
  return TFont::defaultPixelsPerInch();
}
