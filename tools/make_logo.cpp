// Draws the program's logo: three overlapping light discs for the sensor's
// three receiver channels X, Y and Z over the program's short name.
//
//   tavrino-make-logo OUTPUT.png|OUTPUT.bmp
//
// The PNG is committed as src/ui/resources/logo.png; run the tool again only
// to change the picture. The bitmap, which has no transparency, is laid on
// the window colour; the build makes it for the installed program.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png|OUTPUT.bmp\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    constexpr int kWidth = 128;
    constexpr int kHeight = 44;
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Additive light: where the channels overlap they mix towards white.
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    const QColor channels[] = {QColor(220, 40, 40), QColor(40, 190, 60), QColor(50, 80, 230)};
    const QPointF centres[] = {QPointF(15, 15), QPointF(27, 15), QPointF(21, 26)};
    for (int i = 0; i < 3; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(channels[i]);
        p.drawEllipse(centres[i], 11, 11);
    }

    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(15);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(30, 40, 70));
    p.drawText(QRectF(42, 2, kWidth - 42, 22), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TAVRINO"));
    font.setPixelSize(10);
    font.setBold(false);
    p.setFont(font);
    p.setPen(QColor(90, 100, 120));
    p.drawText(QRectF(42, 22, kWidth - 42, 16), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("VXR QLM"));
    p.end();

    const QString output = QString::fromLocal8Bit(argv[1]);
    if (output.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive)) {
        QImage opaque(image.size(), QImage::Format_RGB32);
        opaque.fill(QGuiApplication::palette().color(QPalette::Window));
        QPainter(&opaque).drawImage(0, 0, image);
        image = opaque;
    }
    if (!image.save(output)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
