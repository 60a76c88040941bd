#pragma once

#include <QString>

namespace sorvane {

// Puts the window, its dialogs and the core's messages (which the companion
// prints too) in the user's language: our translations, Qt's own (file and
// colour dialogs), and the core's lookup through the same translator. Without a translation for the
// language the English texts stand. `ourFolders` are searched in order.
void InstallTranslations(const QStringList& ourFolders);

}  // namespace sorvane
