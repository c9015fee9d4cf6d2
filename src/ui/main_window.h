#pragma once

#include <QMainWindow>

namespace tavrino::ui {

inline constexpr const char* kWindowTitle = "TAVRINO4 VXR QLM Scope V3.2";

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
};

} // namespace tavrino::ui
