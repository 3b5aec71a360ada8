// Desktop services the program needs before and around its windows: font substitutes for the
// Windows font names, the Japanese translation of Qt's own buttons, screen units.
#pragma once

class QCoreApplication;
class QString;

namespace desktop {

// Maps "ＭＳ 明朝", "ＭＳ Ｐ明朝", "ＭＳ ゴシック", "ＭＳ Ｐゴシック" and "Impact" to installed
// fonts.
void InstallFontSubstitutions();
// Loads Qt's Japanese translation so that standard buttons read "はい", "いいえ", ...
void InstallJapaneseTranslation(QCoreApplication& app);
// Opens a local file or a web address with the desktop's handler for it. False when no handler
// could be found or the handler said it failed, so that the caller can tell the user.
bool OpenExternal(const QString& pathOrUrl);
// Twips (1/1440 inch) per screen pixel, from the primary screen's logical DPI.
double TwipsPerPixelX();
double TwipsPerPixelY();

} // namespace desktop

// Shows the hourglass pointer for as long as it lives.
class Hourglass {
  public:
    Hourglass();
    ~Hourglass();
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
};
