// Draws the About box's two pictures from tiles of our own, so the artwork
// is made by the build rather than kept as opaque files:
//   about_picture.jpg  256 x 256, a small tileset scene, eight tiles square;
//   about_banner.jpg   128 x 69, the name in block letters over a row of tiles.
// Usage: draw_about_art OUTPUT_FOLDER
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

constexpr int kTile = 32;

enum class Tile { Sky, Cloud, Hill, Grass, Brick, Door, Water };

// The sky lightens towards the horizon.
QColor Sky(int row)
{
    return QColor(120, 170, 235).lighter(100 + 6 * row);
}

void DrawTile(QPainter &p, int column, int row, Tile tile)
{
    const QRect r(column * kTile, row * kTile, kTile, kTile);
    switch (tile) {
    case Tile::Sky:
        p.fillRect(r, Sky(row));
        break;
    case Tile::Cloud:
        p.fillRect(r, Sky(row));
        p.setBrush(QColor(245, 245, 250));
        p.setPen(Qt::NoPen);
        p.drawEllipse(r.x() + 2, r.y() + 12, 16, 12);
        p.drawEllipse(r.x() + 10, r.y() + 6, 16, 16);
        p.drawEllipse(r.x() + 16, r.y() + 13, 14, 11);
        break;
    case Tile::Hill:
        p.fillRect(r, Sky(row));
        p.setBrush(QColor(70, 130, 80));
        p.setPen(Qt::NoPen);
        p.drawEllipse(r.x() - 8 + (column % 2) * 10, r.y() + 14, 44, 40);
        break;
    case Tile::Grass:
        p.fillRect(r, QColor(120, 85, 50));
        p.fillRect(r.x(), r.y(), kTile, 10, QColor(80, 170, 60));
        for (int x = 1; x < kTile; x += 4)
            p.fillRect(r.x() + x, r.y() + 10, 2, 2 + (x * 7 + column) % 5, QColor(80, 170, 60));
        for (int i = 0; i < 5; ++i)
            p.fillRect(r.x() + (i * 13 + column * 5) % 28, r.y() + 18 + (i * 5) % 11, 3, 2, QColor(95, 65, 40));
        break;
    case Tile::Brick:
    case Tile::Door:
        p.fillRect(r, QColor(90, 80, 80));
        for (int course = 0; course < 4; ++course) {
            const int shift = course % 2 ? 8 : 0;
            for (int x = -shift; x < kTile; x += 16)
                p.fillRect(QRect(r.x() + x + 1, r.y() + course * 8 + 1, 14, 6).intersected(r),
                           QColor(175, 80 + (course * 11 + x) % 20, 60));
        }
        if (tile == Tile::Door) {
            p.fillRect(r.x() + 6, r.y() + 4, 20, 28, QColor(60, 40, 25));
            p.fillRect(r.x() + 8, r.y() + 6, 16, 26, QColor(125, 80, 40));
            p.fillRect(r.x() + 20, r.y() + 18, 2, 2, QColor(240, 210, 90));
        }
        break;
    case Tile::Water:
        p.fillRect(r, QColor(40, 90, 170));
        for (int y = 4; y < kTile; y += 8)
            for (int x = (y / 8 % 2) * 8; x < kTile; x += 16)
                p.fillRect(r.x() + x, r.y() + y, 8, 2, QColor(120, 175, 230));
        break;
    }
}

QImage Scene()
{
    QImage image(8 * kTile, 8 * kTile, QImage::Format_RGB32);
    QPainter p(&image);
    const char *rows[8] = {"ssssssss", "sscsssss", "sssssscs", "hhhhhhhh",
                           "gggggggg", "bbbdbbbb", "bbbbbbbb", "wwwwwwww"};
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 8; ++column) {
            switch (rows[row][column]) {
            case 'c': DrawTile(p, column, row, Tile::Cloud); break;
            case 'h': DrawTile(p, column, row, Tile::Hill); break;
            case 'g': DrawTile(p, column, row, Tile::Grass); break;
            case 'b': DrawTile(p, column, row, Tile::Brick); break;
            case 'd': DrawTile(p, column, row, Tile::Door); break;
            case 'w': DrawTile(p, column, row, Tile::Water); break;
            default: DrawTile(p, column, row, Tile::Sky); break;
            }
        }
    }
    // The editor's blue tile locator around the door.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 255), 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(QRectF(3 * kTile + 1, 5 * kTile + 1, 30, 30));
    return image;
}

// Five by seven block letters, one string per row, '#' for a block.
void DrawLetter(QPainter &p, const char *const rows[7], int left, int top, int block, QColor colour)
{
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 5; ++x)
            if (rows[y][x] == '#')
                p.fillRect(left + x * block, top + y * block, block - 1, block - 1, colour);
}

QImage Banner()
{
    static const char *const letters[5][7] = {
        {"#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."},
        {"#####", "#....", "#....", "####.", "#....", "#....", "#####"},
        {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"},
        {"#....", "#....", "#....", "#....", "#....", "#....", "#####"},
        {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
    };
    QImage image(128, 69, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    const QColor colours[5] = {{255, 200, 60}, {120, 200, 255}, {255, 110, 110}, {140, 230, 120}, {220, 150, 255}};
    for (int i = 0; i < 5; ++i)
        DrawLetter(p, letters[i], 4 + i * 25, 3, 4, colours[i]);
    const Tile row[4] = {Tile::Grass, Tile::Brick, Tile::Water, Tile::Door};
    p.translate(0, 37);
    for (int column = 0; column < 4; ++column)
        DrawTile(p, column, 0, row[column]);
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_about_art OUTPUT_FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const bool saved = Scene().save(folder + QStringLiteral("/about_picture.jpg"), "JPG", 90)
                       && Banner().save(folder + QStringLiteral("/about_banner.jpg"), "JPG", 90);
    if (!saved)
        std::fprintf(stderr, "draw_about_art: could not write JPEG files into %s\n", argv[1]);
    return saved ? 0 : 1;
}
