#include "qtsupport/language.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <tuple>

namespace spectrane {
namespace {

// English when the option says so, else when the first preferred language is English; a bad
// option is an error.
TEST(Language, ChosenByTheOptionElseByTheFirstPreferredLanguage) {
    const std::tuple<QStringList, QStringList, Language, bool> cases[] = {
        {{}, {"en-US", "en"}, Language::English, false},
        {{}, {"ja-JP", "ja", "en"}, Language::Japanese, false},
        {{}, {"de-DE", "en"}, Language::Japanese, false},
        {{}, {}, Language::Japanese, false},
        {{}, {"eng"}, Language::Japanese, false},
        {{"--lang", "en"}, {"ja"}, Language::English, false},
        {{"--lang=ja"}, {"en-GB"}, Language::Japanese, false},
        {{"--lang", "fr"}, {"en"}, Language::Japanese, true},
        {{"--lang"}, {"en"}, Language::Japanese, true},
    };
    for (const auto& [options, preferred, language, error] : cases) {
        const LanguageChoice choice = chooseLanguage(QStringList{"spectrane"} + options, preferred);
        EXPECT_EQ(choice.language, language) << options.join(' ').toStdString();
        EXPECT_EQ(!choice.error.isEmpty(), error) << options.join(' ').toStdString();
    }
}

QString yesButtonText() {
    QMessageBox box(QMessageBox::Question, "t", "q", QMessageBox::Yes | QMessageBox::No);
    return box.button(QMessageBox::Yes)->text().remove('&') + '/' +
           box.button(QMessageBox::No)->text().remove('&');
}

// English gives the program's texts in English and leaves Qt's; Japanese gives Qt's own
// buttons in Japanese and the program's texts as written.
TEST(Language, TranslationsOfTheProgramAndOfQt) {
    const char* file = QT_TRANSLATE_NOOP("spectrane::MainWindow", "ファイル(&F)");
    ASSERT_TRUE(installTranslations(Language::English));
    EXPECT_EQ(QCoreApplication::translate("spectrane::MainWindow", file), "&File");
    EXPECT_EQ(yesButtonText(), "Yes/No");
    const bool qtJapanese =
        QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_ja.qm");
    EXPECT_EQ(installTranslations(Language::Japanese), qtJapanese);
    EXPECT_EQ(QCoreApplication::translate("spectrane::MainWindow", file), QString::fromUtf8(file));
    if (!qtJapanese) {
        GTEST_SKIP() << "Qt's Japanese translations are not installed";
    }
    EXPECT_TRUE(yesButtonText().startsWith(QString::fromUtf8("はい")));
    EXPECT_TRUE(yesButtonText().contains(QString::fromUtf8("/いいえ")));
}

} // namespace
} // namespace spectrane
