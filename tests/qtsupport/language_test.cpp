#include "qtsupport/language.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace spectrane {
namespace {

TEST(Language, ChosenByTheOptionElseByTheFirstPreferredLanguage) {
    struct Case {
        QStringList arguments;
        QStringList uiLanguages;
        Language expected;
        bool error;
    };
    const Case cases[] = {
        {{"spectrane"}, {"en-US", "en"}, Language::English, false},
        {{"spectrane"}, {"en"}, Language::English, false},
        {{"spectrane"}, {"ja-JP", "ja", "en"}, Language::Japanese, false},
        {{"spectrane"}, {"de-DE", "en"}, Language::Japanese, false},
        {{"spectrane"}, {"C"}, Language::Japanese, false},
        {{"spectrane"}, {}, Language::Japanese, false},
        {{"spectrane"}, {"eng"}, Language::Japanese, false},
        {{"spectrane", "--lang", "en"}, {"ja"}, Language::English, false},
        {{"spectrane", "--lang=ja"}, {"en-GB"}, Language::Japanese, false},
        {{"spectrane", "--lang", "fr"}, {"en"}, Language::Japanese, true},
        {{"spectrane", "--lang"}, {"en"}, Language::Japanese, true},
    };
    for (const Case& c : cases) {
        const LanguageChoice choice = chooseLanguage(c.arguments, c.uiLanguages);
        EXPECT_EQ(choice.language, c.expected) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(!choice.error.isEmpty(), c.error) << c.arguments.join(' ').toStdString();
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
