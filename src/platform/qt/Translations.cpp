#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

#include "platform/Translate.h"

namespace sorvane {

namespace {

std::string Lookup(const char* context, const char* source) {
    return QCoreApplication::translate(context, source).toStdString();
}

}  // namespace

void InstallTranslations(const QStringList& ourFolders) {
    auto* app = QCoreApplication::instance();
    auto* qtTexts = new QTranslator(app);
    if (qtTexts->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtTexts);
    auto* ours = new QTranslator(app);
    for (const QString& folder : ourFolders) {
        if (ours->load(QLocale(), QStringLiteral("desktop-sorvane"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(ours);
            break;
        }
    }
    SetTranslateFunction(&Lookup);
}

}  // namespace sorvane
