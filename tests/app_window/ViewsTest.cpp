// What the window shows of the data: the log view, properties, map legend, status and empty
// state, driven through the panel and the map as a user would.
#include "AppTestFiles.h"
#include "BatchImport.h"
#include "DataViews.h"
#include "DocumentPanel.h"
#include "LogView.h"
#include "MainWindow.h"
#include "MapView.h"
#include "ModalDialogHelper.h"
#include "PropertiesPanel.h"
#include "StartedApp.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/CornerPointGrid.h"
#include "model/Well.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>
#include <QWheelEvent>
#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quarro {
namespace test {
namespace {

double const nan = std::numeric_limits<double>::quiet_NaN();

// A well at (x, y) of `n` samples from 1000 m down every 0.5 m; each curve's value is f(sample).
boost::shared_ptr<model::Well> well(QString const& name, std::size_t n,
                                    std::vector<std::pair<QString, double (*)(std::size_t)>> curves,
                                    double x = nan, double y = nan) {
    auto result = boost::make_shared<model::Well>();
    result->setName(name);
    model::DepthReference reference;
    reference.x = x;
    reference.y = y;
    result->setDepthReference(reference);
    model::WellCurve index{"DEPT", "M", QString(), {}};
    std::vector<model::WellCurve> logs;
    for (auto const& [mnemonic, f] : curves) {
        logs.push_back({mnemonic, mnemonic == "ILD" ? "OHMM" : "GAPI", QString(), {}});
    }
    for (std::size_t s = 0; s < n; ++s) {
        index.samples.push_back(1000 + 0.5 * s);
        for (std::size_t c = 0; c < curves.size(); ++c) {
            logs[c].samples.push_back(curves[c].second(s));
        }
    }
    result->setCurves(index, std::move(logs));
    return result;
}

// An n x n x 2 grid of unit cells at (x0, y0), property PORO = i + 10 j + 100 k.
boost::shared_ptr<model::CornerPointGrid> grid(int n, double x0) {
    std::vector<model::Pillar> pillars;
    for (int j = 0; j <= n; ++j) {
        for (int i = 0; i <= n; ++i) {
            pillars.push_back(model::Pillar{{x0 + i, x0 + j, 0.0}, {x0 + i, x0 + j, 10.0}});
        }
    }
    std::size_t const layer = static_cast<std::size_t>(n * n);
    std::vector<double> zcorn(16 * layer);
    for (std::size_t z = 0; z < zcorn.size(); ++z) {
        zcorn[z] = static_cast<double>(z / (4 * layer));
    }
    auto result = boost::make_shared<model::CornerPointGrid>();
    result->setName(QStringLiteral("G"));
    result->setGeometry(n, n, 2, pillars, zcorn);
    result->setActiveFlags(std::vector<bool>(result->cellCount(), true));
    std::vector<double> poro(result->cellCount());
    for (std::size_t c = 0; c < poro.size(); ++c) {
        poro[c] = double(c % n + 10 * ((c / n) % n) + 100 * (c / layer));
    }
    result->addProperty(QStringLiteral("PORO"), poro);
    return result;
}

// Clicks the object's row in the documents panel; returns the row.
QTreeWidgetItem* clickInPanel(app::MainWindow& window, QString const& name) {
    QTreeWidget* const tree = window.document_panel()->tree();
    QList<QTreeWidgetItem*> found;
    ModalDialogHelper::waitFor([&] {
        found = tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        return !found.isEmpty();
    });
    if (found.isEmpty()) {
        return nullptr;
    }
    tree->scrollToItem(found.front());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->visualItemRect(found.front()).center());
    return found.front();
}

// The properties panel's rows as "name: value".
QStringList propertyRows(app::MainWindow& window) {
    QStringList rows;
    QTreeWidget* const tree = window.data_views()->properties_panel()->tree();
    for (int s = 0; s < tree->topLevelItemCount(); ++s) {
        for (int r = 0; r < tree->topLevelItem(s)->childCount(); ++r) {
            rows << tree->topLevelItem(s)->child(r)->text(0) + ": " +
                        tree->topLevelItem(s)->child(r)->text(1);
        }
    }
    return rows;
}

TEST(AppViewsTest, SelectingAWellInThePanelOrOnTheMapShowsItsCurvesAndProperties) {
    app::MainWindow& window = *startedApp().window;
    resetDocuments();
    app::LogView* const log = window.data_views()->log_view();
    EXPECT_FALSE(log->note().isEmpty());
    // An empty window says how to begin.
    EXPECT_TRUE(window.map_view()->note().contains(QStringLiteral("drop files here")));

    housekeeping::Document& document = currentDocument();
    document.add_object(well(QStringLiteral("W-1"), 400,
                             {{"GR", [](std::size_t s) { return double(s % 150); }},
                              {"ILD", [](std::size_t s) { return 0.5 + s; }},
                              {"NPHI", [](std::size_t s) { return s % 7 ? 0.2 : nan; }}},
                             5000, 6000));
    for (QString const name : {"A", "B", "C"}) {
        document.add_object(well(name, 10, {}));
    }
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.map_view()->note().isEmpty());
    QStringList status;
    for (QLabel* label : window.statusBar()->findChildren<QLabel*>()) {
        status << label->text();
    }
    EXPECT_TRUE(status.join(' ').contains(QStringLiteral("3 wells without coordinates")))
        << status.join(' ').toStdString();

    QTreeWidgetItem* const row = clickInPanel(window, QStringLiteral("W-1"));
    ASSERT_TRUE(row && log->well());
    EXPECT_EQ(row->text(2), QStringLiteral("400 samples"));
    EXPECT_EQ(log->well()->name(), QStringLiteral("W-1"));
    EXPECT_EQ(log->shown_curves(), QStringList({"GR", "ILD", "NPHI"}));
    ASSERT_EQ(log->tracks().size(), 3u);
    EXPECT_TRUE(!log->tracks()[0].logarithmic && log->tracks()[1].logarithmic);
    EXPECT_TRUE(log->note().isEmpty());
    EXPECT_DOUBLE_EQ(log->bottom_depth() - log->top_depth(), 199.5);
    QStringList const rows = propertyRows(window);
    for (QString const expected :
         {"Depth range: 1,000 – 1,199.5 M", "ILD: OHMM · 400 of 400 samples · 0.5 – 399.5",
          "NPHI: GAPI · 342 of 400"}) {
        EXPECT_EQ(rows.filter(expected).size(), 1) << rows.join('\n').toStdString();
    }
    // Zooming and scrolling move every track's depth window together.
    log->zoom_by(4.0, 1100.0);
    EXPECT_NEAR(log->bottom_depth() - log->top_depth(), 199.5 / 4.0, 1e-9);
    log->scroll_by(10.0);
    EXPECT_DOUBLE_EQ(log->bottom_depth(), 1199.5);

    // Zoom to Selection frames the well; a click on its marker selects it again.
    window.data_views()->select(nullptr);
    EXPECT_TRUE(propertyRows(window).isEmpty());
    window.map_view()->zoom_to_object(0);
    QTest::mouseClick(window.map_view()->viewport(), Qt::LeftButton, {},
                      window.map_view()->mapFromScene(QPointF(5000, 6000)));
    EXPECT_EQ(window.data_views()->selected(), document.objects().front());
    EXPECT_TRUE(window.data_views()->zoom_to_selection_action()->isEnabled());

    // The well leaves the document (undo of its insert): the views let it go.
    document.remove_object(document.objects().front());
    ModalDialogHelper::waitFor([log] { return !log->well(); });
    EXPECT_FALSE(log->well() || window.data_views()->selected());
}

TEST(AppViewsTest, GridPropertyColoursTheMapWithALegendOfItsRange) {
    app::MainWindow& window = *startedApp().window;
    resetDocuments();
    currentDocument().add_object(grid(4, 100));
    QComboBox* const box = window.data_views()->grid_property_box();
    EXPECT_TRUE(ModalDialogHelper::waitFor([box] { return box->currentText() == "PORO"; }));
    for (int const layer : {1, 2}) {
        window.data_views()->grid_layer_box()->setValue(layer);
        app::ColourLegend const legend = window.map_view()->legend();
        EXPECT_TRUE(legend.valid && legend.title.contains(QStringLiteral("layer %1").arg(layer)));
        EXPECT_DOUBLE_EQ(legend.low, 100.0 * (layer - 1));
        EXPECT_DOUBLE_EQ(legend.high, 100.0 * (layer - 1) + 33.0);
    }
    clickInPanel(window, QStringLiteral("G"));
    QStringList const rows = propertyRows(window);
    EXPECT_TRUE(rows.contains(QStringLiteral("Dimensions: 4 × 4 × 2")) &&
                rows.contains(QStringLiteral("PORO: 0 – 133, mean 66.5")))
        << rows.join('\n').toStdString();
}

TEST(AppViewsTest, PanelAndMapFollowTheDocuments) {
    app::MainWindow& window = *startedApp().window;
    app::MapView* const map = window.map_view();
    housekeeping::DocumentManager& documents = housekeeping::DocumentManager::instance();
    resetDocuments();
    QString const file = writeScratchFile(QStringLiteral("panel/field.apptest"),
                                          "100 200 0\n300 400 0\n150 250 0\n");
    // Far out, so that only framing after the load brings the objects into view.
    map->zoom_by(0.01 / map->pixels_per_unit());
    ASSERT_TRUE(app::BatchImport(true, false).run({file}, "").all_loaded());
    housekeeping::Document& loaded = currentDocument();
    // The three point sets, framed: 200 map units across fill most of the view.
    EXPECT_TRUE(ModalDialogHelper::waitFor([map] { return map->drawn_objects() == 3; }));
    QRectF const visible = map->mapToScene(map->viewport()->rect()).boundingRect();
    EXPECT_TRUE(visible.contains(QPointF(100, 200)) && visible.contains(QPointF(300, 400)));
    EXPECT_GT(map->pixels_per_unit(), 1.5);
    // North is up. The wheel zooms around the cursor: the map point under it stays put.
    QPoint const south = map->mapFromScene(QPointF(100, 200));
    QPoint const north = map->mapFromScene(QPointF(300, 400));
    EXPECT_TRUE(north.y() < south.y() && south.x() < north.x());
    double const before = map->pixels_per_unit();
    QPointF const under_cursor = map->mapToScene(south);
    QWheelEvent wheel(QPointF(south), map->viewport()->mapToGlobal(south), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(map->viewport(), &wheel);
    EXPECT_NEAR(map->pixels_per_unit(), before * 1.25, before * 1e-9);
    EXPECT_LE((map->mapToScene(south) - under_cursor).manhattanLength(),
              2.0 / map->pixels_per_unit() + 1e-6);
    // Dragging pans: the map point under the mouse moves with it.
    QPoint const from = map->viewport()->rect().center();
    QPointF const centre = map->mapToScene(from);
    QTest::mousePress(map->viewport(), Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, from + QPointF(50, 0), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(map->viewport(), &move);
    QTest::mouseRelease(map->viewport(), Qt::LeftButton, Qt::NoModifier, from + QPoint(50, 0));
    EXPECT_LT(map->mapToScene(from).x(), centre.x());
    // Zooming stays within sane limits however far the user goes.
    for (int i = 0; i < 200; ++i) {
        map->zoom_by(10.0);
    }
    EXPECT_LE(map->pixels_per_unit(), 1e7);
    map->zoom_by(0.0);
    map->zoom_by(nan);
    EXPECT_TRUE(std::isfinite(map->pixels_per_unit()));

    // The panel lists the document and its objects with their size.
    QTreeWidget* const tree = window.document_panel()->tree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* const item = tree->topLevelItem(0);
    EXPECT_TRUE(item->text(0).startsWith(QStringLiteral("field.apptest")));
    ASSERT_EQ(item->childCount(), 3);
    EXPECT_EQ(item->child(2)->text(0) + " " + item->child(2)->text(2), "field.apptest:3 1 point");

    // An object added to the current document is drawn; another current document replaces it;
    // a click in the panel brings the first one back.
    loaded.add_object(well(QStringLiteral("W"), 3, {}, 120, 220));
    EXPECT_EQ(map->drawn_objects(), 4);
    documents.create_document();
    EXPECT_EQ(map->drawn_objects(), 0);
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    emit tree->itemClicked(tree->topLevelItem(0), 0);
    EXPECT_EQ(documents.current_document_id(), loaded.id());
    EXPECT_EQ(map->drawn_objects(), 4);
}

} // namespace
} // namespace test
} // namespace quarro
