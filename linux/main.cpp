#include "linux/form1.h"
#include "linux/qt_translations.h"
#include "linux/single_instance.h"

#include <QApplication>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

// Qt aborts with a long message when it finds no display; say it in one line instead.
bool hasDisplay()
{
    static constexpr std::array variables = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    return std::ranges::any_of(variables, [](const char *variable) {
        const char *value = std::getenv(variable);
        return value != nullptr && *value != '\0';
    });
}

} // namespace

int main(int argc, char *argv[])
{
    if (!hasDisplay()) {
        std::fputs("tarvex: no display to show the window on (DISPLAY is not set)\n", stderr);
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    // The name that notification servers show, and the desktop entry by which they and
    // Wayland compositors find the program's icon. (A display name would be added to every
    // window title on X11.)
    QApplication::setApplicationName(QStringLiteral("Tarvex"));
    QApplication::setDesktopFileName(QStringLiteral("tarvex"));
    tarvex::installQtTranslations(app);

    // A Tarvex already running in this session shows its window instead.
    tarvex::SingleInstance instance;
    if (!instance.claimSession())
        return EXIT_SUCCESS;

    tarvex::Form1 form;
    instance.setWindow(&form);
    form.show();
    return QApplication::exec();
}
