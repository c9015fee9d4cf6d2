#include "ui/main_window.h"

namespace tavrino::ui {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QString::fromLatin1(kWindowTitle));
    resize(1014, 690);
}

} // namespace tavrino::ui
