#pragma once
// Every text of the program is German, so are Qt's own: the printer set-up
// dialog, the file dialogs and the standard buttons speak German from Qt's
// German catalogue, and dates and numbers in them take the German form.

class QCoreApplication;

namespace tamvek::qt {

// Installs Qt's German translations on the application and makes German the
// default locale. False when the catalogue is not installed (Debian's
// qt6-translations-l10n): Qt's own texts then stay English.
bool speakGerman(QCoreApplication& app);

}  // namespace tamvek::qt
