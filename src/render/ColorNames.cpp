#include "ColorNames.h"

#include <QColor>
#include <QStringList>
#include <limits>
#include <vector>

#include "RasterCanvas.h"

namespace tessaly {

namespace {

struct NamedColor {
    QString name;
    QColor color;
};

const std::vector<NamedColor>& NamedColors() {
    static const std::vector<NamedColor> named = [] {
        std::vector<NamedColor> colors;
        for (const QString& name : QColor::colorNames())
            if (name != QLatin1String("transparent")) colors.push_back({name, QColor(name)});
        return colors;
    }();
    return named;
}

// The "redmean" distance: a cheap approximation of how different two colours look.
double Distance(const QColor& a, const QColor& b) {
    const double meanRed = (a.red() + b.red()) / 2.0;
    const double red = a.red() - b.red();
    const double green = a.green() - b.green();
    const double blue = a.blue() - b.blue();
    return (2 + meanRed / 256) * red * red + 4 * green * green +
           (2 + (255 - meanRed) / 256) * blue * blue;
}

}  // namespace

QString UsualColorName(std::int32_t color) {
    const QColor wanted = RasterCanvas::ToQColor(color);
    QString nearest;
    double least = std::numeric_limits<double>::max();
    // the first of equally near names wins: the list is in alphabetical order
    for (const NamedColor& named : NamedColors()) {
        const double distance = Distance(wanted, named.color);
        if (distance < least) {
            least = distance;
            nearest = named.name;
        }
    }
    return nearest;
}

QString ColorName(const PaletteColor& entry) {
    return entry.name.empty() ? UsualColorName(entry.color) : QString::fromStdString(entry.name);
}

}  // namespace tessaly
