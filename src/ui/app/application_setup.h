#pragma once
// What the desktop program sets on its application object before any window: its names
// (shown by the desktop with the installed entry and icon) and Qt's own texts (standard
// buttons, the edit fields' context menu, the file and printer dialogs) in Japanese,
// whatever the user's locale, since every text of the program is Japanese.
class QApplication;

namespace qm::ui {

// False when Qt's Japanese translations (qtbase_ja of qt6-translations-l10n, from Qt's
// translations path) cannot be read: Qt's texts then stay in English.
bool SetUpApplication(QApplication& app);

}  // namespace qm::ui
