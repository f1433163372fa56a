#include "LasWell.h"

#include "model/Well.h"

#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSet>

#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace quarro {
namespace readers {

namespace {

QString const unknown_mnemonic = QStringLiteral("UNKNOWN");

// Whether numberRepeatedMnemonics() gave `original` a number (and not just a name for none).
bool isNumberedCopy(QString const& numbered, QString const& original) {
    return numbered != (original.isEmpty() ? unknown_mnemonic : original);
}

// The items of all header sections in file order, looked up by mnemonic whatever its case.
class HeaderLookup {
public:
    explicit HeaderLookup(std::vector<LasItem const*> items)
        : m_items(std::move(items)) {}

    LasItem const* find(QString const& mnemonic) const {
        for (LasItem const* item : m_items) {
            if (item->mnemonic.compare(mnemonic, Qt::CaseInsensitive) == 0) {
                return item;
            }
        }
        return nullptr;
    }

    QString text(QString const& mnemonic) const {
        LasItem const* item = find(mnemonic);
        return item != nullptr ? item->value.trimmed() : QString();
    }

    // The first of the mnemonics whose value starts with a number ("216 mm" gives 216).
    std::optional<double> number(QStringList const& mnemonics) const {
        for (QString const& mnemonic : mnemonics) {
            QString const value = text(mnemonic);
            bool ok = false;
            double const number = value.section(QLatin1Char(' '), 0, 0).toDouble(&ok);
            if (ok && std::isfinite(number)) {
                return number;
            }
        }
        return std::nullopt;
    }

private:
    std::vector<LasItem const*> m_items;
};

model::DepthReference depthReference(HeaderLookup const& header) {
    model::DepthReference reference;
    std::optional<double> const x = header.number({"X", "XCOORD", "XWELL", "EASTING"});
    std::optional<double> const y = header.number({"Y", "YCOORD", "YWELL", "NORTHING"});
    if (x && y) {
        reference.x = *x;
        reference.y = *y;
    }
    // The log's zero ("KB", "DF", "GL") names the elevation to use; without it the first
    // elevation given is taken, with its datum.
    QString datum = header.text(QStringLiteral("LMF"));
    if (datum.isEmpty()) {
        datum = header.text(QStringLiteral("DREF"));
    }
    datum = datum.toUpper();
    if (!datum.isEmpty()) {
        reference.datum = datum;
        reference.elevation = header.number({QStringLiteral("E") + datum, "EREF"});
        return reference;
    }
    for (char const* candidate : {"KB", "DF", "GL"}) {
        QString const name = QString::fromLatin1(candidate);
        std::optional<double> const elevation = header.number({QStringLiteral("E") + name});
        if (elevation) {
            reference.datum = name;
            reference.elevation = elevation;
            break;
        }
    }
    return reference;
}

QString depthText(QLocale const& locale, double depth) {
    // As many decimals as the depth needs, between one and three: 1,669.75, 1,670.0.
    QString text = locale.toString(depth, 'f', 3);
    while (text.endsWith(QLatin1Char('0')) && text.at(text.size() - 2) != locale.decimalPoint()) {
        text.chop(1);
    }
    return text;
}

QString unitText(QString const& unit) {
    QString const upper = unit.toUpper();
    if (upper == QLatin1String("M")) {
        return QStringLiteral("m");
    }
    if (upper == QLatin1String("F") || upper == QLatin1String("FT")) {
        return QStringLiteral("ft");
    }
    return unit;
}

} // namespace

QStringList numberRepeatedMnemonics(QStringList const& names) {
    QStringList result;
    QHash<QString, int> occurrences;
    for (QString const& name : names) {
        QString const effective = name.isEmpty() ? unknown_mnemonic : name;
        result << effective;
        ++occurrences[effective];
    }
    QSet<QString> taken(result.begin(), result.end());
    QHash<QString, int> lastNumber;
    for (QString& name : result) {
        if (occurrences.value(name) < 2) {
            continue;
        }
        int& number = lastNumber[name];
        QString numbered;
        do {
            numbered = QStringLiteral("%1:%2").arg(name).arg(++number);
        } while (taken.contains(numbered));
        taken.insert(numbered);
        name = numbered;
    }
    return result;
}

std::unique_ptr<model::Well> makeWell(LasFile& file, QString const& fileName) {
    auto well = std::make_unique<model::Well>();

    // Curves.
    QStringList curveNames;
    for (LasItem const& curve : file.curves) {
        curveNames << curve.mnemonic;
    }
    QStringList const uniqueCurveNames = numberRepeatedMnemonics(curveNames);
    std::vector<model::WellCurve> curves;
    curves.reserve(file.curves.size());
    for (std::size_t i = 0; i < file.curves.size(); ++i) {
        LasItem const& definition = file.curves[i];
        QString const& mnemonic = uniqueCurveNames[static_cast<int>(i)];
        if (isNumberedCopy(mnemonic, definition.mnemonic)) {
            file.issues.add(LasIssues::RepeatedMnemonic, definition.line, mnemonic);
        }
        curves.push_back(model::WellCurve{mnemonic, definition.unit, definition.description,
                                          std::move(file.columns[i])});
        if (!definition.value.isEmpty()) {
            well->setProperty(QStringLiteral("%1 API code").arg(mnemonic), definition.value);
        }
    }
    file.columns.clear();
    model::WellCurve index = std::move(curves.front());
    curves.erase(curves.begin());
    well->setCurves(std::move(index), std::move(curves));

    // Header: ~W, then ~P.
    std::vector<LasItem const*> items;
    for (LasItem const& item : file.wellItems) {
        items.push_back(&item);
    }
    for (LasItem const& item : file.parameters) {
        items.push_back(&item);
    }
    QStringList itemNames;
    for (LasItem const* item : items) {
        itemNames << item->mnemonic;
    }
    QStringList const uniqueItemNames = numberRepeatedMnemonics(itemNames);
    for (std::size_t i = 0; i < items.size(); ++i) {
        LasItem const& item = *items[i];
        QString const& mnemonic = uniqueItemNames[static_cast<int>(i)];
        if (isNumberedCopy(mnemonic, item.mnemonic)) {
            file.issues.add(LasIssues::RepeatedMnemonic, item.line, mnemonic);
        }
        well->setHeaderItem(
            model::WellHeaderItem{mnemonic, item.unit, item.value, item.description});
    }
    HeaderLookup const header(items);
    well->setDepthReference(depthReference(header));

    QString name = header.text(QStringLiteral("WELL"));
    if (name.isEmpty()) {
        name = header.text(QStringLiteral("UWI"));
    }
    if (name.isEmpty()) {
        name = QFileInfo(fileName).completeBaseName();
    }
    well->setName(name);

    well->setProperty(QStringLiteral("source file"), fileName);
    well->setProperty(QStringLiteral("LAS version"), file.version);
    if (!file.otherText.isEmpty()) {
        well->setProperty(QStringLiteral("other information"), file.otherText);
    }
    return well;
}

QString wellSummary(model::Well const& well) {
    QLocale const english(QLocale::English, QLocale::UnitedStates);
    int const curves = well.curveCount();
    auto const samples = static_cast<qulonglong>(well.sampleCount());
    QString text = QStringLiteral("well %1: %2 %3, %4 %5")
                       .arg(well.name())
                       .arg(english.toString(curves))
                       .arg(curves == 1 ? QStringLiteral("curve") : QStringLiteral("curves"))
                       .arg(english.toString(samples))
                       .arg(samples == 1 ? QStringLiteral("sample") : QStringLiteral("samples"));
    model::ValueRange const depths = well.depthRange();
    if (!depths.isEmpty()) {
        text += QStringLiteral(", %1-%2").arg(depthText(english, depths.min()),
                                              depthText(english, depths.max()));
        QString const unit = unitText(well.indexCurve().unit);
        if (!unit.isEmpty()) {
            text += QLatin1Char(' ') + unit;
        }
    }
    return text;
}

} // namespace readers
} // namespace quarro
