#ifndef QUARRO_APP_PROPERTIESPANEL_H
#define QUARRO_APP_PROPERTIESPANEL_H

#include <QDockWidget>

class QTreeWidget;

namespace quarro {
namespace model {
class GeoObject;
}

namespace app {

// The dock that shows everything the selected object holds, section by section (see
// ObjectProperties); without a selection it says how to get one.
class PropertiesPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit PropertiesPanel(QWidget* parent = nullptr);
    ~PropertiesPanel() override;

    // Shows the object's properties; null shows the hint.
    void show_object(model::GeoObject const* object);

    QTreeWidget* tree() const { return m_tree; }

private:
    Q_DISABLE_COPY(PropertiesPanel)

    QTreeWidget* m_tree;
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_PROPERTIESPANEL_H
