// SPDX-License-Identifier: GPL-3.0-or-later
// A plain Qt window of the given size, shown and left idle: the reference
// for the panel's idle CPU and wakeups (what Qt and the display server cost
// before the panel adds anything).
//
//     bench_plainwindow WIDTH HEIGHT

#include <QApplication>
#include <QWidget>
#include <cstdlib>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(argc > 2 ? std::atoi(argv[1]) : 800, argc > 2 ? std::atoi(argv[2]) : 600);
    window.show();
    return app.exec();
}
