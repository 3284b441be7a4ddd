#include "qtsupport/start_environment.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <map>

namespace spectrane {
namespace {

using Env = std::map<std::string, std::string>;

EnvironmentLookup lookup(const Env& env) {
    return [env](const char* name) -> std::optional<std::string> {
        const auto found = env.find(name);
        return found != env.end() ? std::optional(found->second) : std::nullopt;
    };
}

// A Wayland session with XWayland runs through X, unless the user chose a platform.
TEST(StartEnvironment, WaylandSessionsRunThroughXWaylandUnlessAPlatformIsChosen) {
    const struct {
        Env env;
        QStringList arguments;
        const char* platform;
    } rows[] = {
        {{{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}}, {}, "xcb"},
        {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":1"}}, {}, "xcb"},
        {{{"XDG_SESSION_TYPE", "wayland"}}, {}, ""}, // no XWayland
        {{{"XDG_SESSION_TYPE", "x11"}, {"DISPLAY", ":0"}}, {}, ""},
        {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland"}},
         {},
         ""},
        {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", ""}}, {}, "xcb"},
        {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, {"-platform", "wayland"}, ""},
        {{{"WAYLAND_DISPLAY", ""}, {"DISPLAY", ":0"}}, {}, ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(platformForSession(lookup(row.env), QStringList{"spectrane"} + row.arguments),
                  row.platform)
            << row.env.size() << row.arguments.join(' ').toStdString();
    }
}

// Started in Japanese, whatever the desktop's locale, Qt's own dialogs write dates the Japanese
// way and name a folder and the Cancel button in Japanese; started in English, in English.
TEST(StartEnvironment, QtsOwnDialogsFollowTheInterfacesLanguage) {
    const QString japanese = QString::fromUtf8("2026/12/07 9:05\nフォルダ\nキャンセル\n");
    const struct {
        Env env;
        QStringList arguments;
        QString shown; // Qt's date, the folder's type, Cancel; English rows skip the date
    } rows[] = {
        {{{"LANG", "C.UTF-8"}}, {"--lang", "ja"}, japanese},
        {{{"LC_ALL", "de_DE.UTF-8"}, {"LC_TIME", "en_GB.UTF-8"}}, {"--lang=ja"}, japanese},
        {{{"LANGUAGE", "ja:en"}, {"LANG", "en_US.UTF-8"}}, {}, japanese},
        {{{"LC_ALL", "en_US.UTF-8"}}, {}, "Folder\nCancel\n"},
    };
    for (const auto& row : rows) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString& name : env.keys()) {
            if (name.startsWith("LC_") || name == "LANG" || name == "LANGUAGE") {
                env.remove(name);
            }
        }
        for (const auto& [name, value] : row.env) {
            env.insert(QString::fromStdString(name), QString::fromStdString(value));
        }
        QProcess probe;
        probe.setProcessEnvironment(env);
        probe.start(QStringLiteral(SPECTRANE_LANGUAGE_PROBE), row.arguments);
        ASSERT_TRUE(probe.waitForFinished(60000));
        QString shown = QString::fromUtf8(probe.readAllStandardOutput());
        if (!row.shown.startsWith("2026")) {
            shown = shown.mid(shown.indexOf('\n') + 1);
        }
        EXPECT_EQ(shown, row.shown) << row.arguments.join(' ').toStdString();
    }
}

} // namespace
} // namespace spectrane
