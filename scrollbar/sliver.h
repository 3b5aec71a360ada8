// Sliver: gives a scroll area its own horizontal and vertical scroll bars, set up with the
// minimum / maximum / page / position model of classic desktop scroll bars, and reports every
// use of them by the user as an event.
//
// The control draws nothing itself. It drives the host's standard scroll bars and is owned by
// the host (it is a child object of it). One Sliver serves one host; a later Sliver on the same
// host takes the events over.
//
// Range model: positions run from Min to Max - Page + 1 (from Min to Max when Page is 0), so a
// page as large as the whole range leaves no room to scroll. The host must leave its bars'
// range, steps and visibility to the Sliver and change positions only through HValue/VValue;
// any other change of a bar's position counts as a user operation.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <utility>

class QAbstractScrollArea;
class QScrollBar;

class Sliver : public QObject {
    Q_OBJECT
    Q_PROPERTY(int HMax READ HMax WRITE setHMax)
    Q_PROPERTY(int HMin READ HMin WRITE setHMin)
    Q_PROPERTY(int HPage READ HPage WRITE setHPage)
    Q_PROPERTY(int HValue READ HValue WRITE setHValue)
    Q_PROPERTY(bool HVisible READ HVisible WRITE setHVisible)
    Q_PROPERTY(int VMax READ VMax WRITE setVMax)
    Q_PROPERTY(int VMin READ VMin WRITE setVMin)
    Q_PROPERTY(int VPage READ VPage WRITE setVPage)
    Q_PROPERTY(int VValue READ VValue WRITE setVValue)
    Q_PROPERTY(bool VVisible READ VVisible WRITE setVVisible)

  public:
    // Persisted property values by name; names are compared ignoring letter case. A value equal
    // to its default is not stored, and reading a missing name gives the default.
    class PropertyBag {
      public:
        QVariant ReadProperty(const QString& name, const QVariant& defaultValue = {}) const;
        void WriteProperty(const QString& name, const QVariant& value,
                           const QVariant& defaultValue = {});
        bool contains(const QString& name) const;
        QStringList names() const;

      private:
        qsizetype find(const QString& name) const;
        QList<std::pair<QString, QVariant>> entries_;
    };

    // Attaches to `host` with the default settings: range 0..3000, page 100, position 0 for
    // both bars, the horizontal bar shown and the vertical bar hidden.
    explicit Sliver(QAbstractScrollArea* host);
    // Hides both bars of the host (unless the host itself is going away) and detaches.
    ~Sliver() override;

    QAbstractScrollArea* host() const;

    // Setting a property from code never raises HScroll or VScroll.
    int HMax() const;
    void setHMax(int value);
    int HMin() const;
    void setHMin(int value);
    // Stored clamped to 0 .. HMax - HMin + 1 (to HMax - HMin + 1 .. 0 when HMax < HMin).
    int HPage() const;
    void setHPage(int value);
    // The live position of the host's bar.
    int HValue() const;
    void setHValue(int value);
    bool HVisible() const;
    // Showing or hiding a bar does not run the host's own resize handling.
    void setHVisible(bool visible);

    int VMax() const;
    void setVMax(int value);
    int VMin() const;
    void setVMin(int value);
    int VPage() const;
    void setVPage(int value);
    int VValue() const;
    void setVValue(int value);
    bool VVisible() const;
    void setVVisible(bool visible);

    // Loads all ten properties (names "HMax", "HMin", "HPage", "HValue", "HVisible" and the
    // "V" counterparts; a missing or unreadable value gives the default) and applies them.
    void ReadProperties(const PropertyBag& bag);
    // Saves all ten properties; the positions saved are the ones last set or loaded by code.
    void WriteProperties(PropertyBag& bag) const;

  Q_SIGNALS:
    // Raised after the user has operated the horizontal bar and its position has been updated;
    // read HValue in the handler. Dragging the thumb raises one per step and one at release.
    void HScroll();
    // The same for the vertical bar and VValue.
    void VScroll();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Bar {
        Qt::Orientation orientation;
        int min = 0;
        int max = 3000;
        int page = 100;
        int value = 0; // last set or loaded by code
        bool visible = false;
    };

    Bar& bar(Qt::Orientation o);
    const Bar& bar(Qt::Orientation o) const;
    QScrollBar* scrollBar(Qt::Orientation o) const;
    bool attached() const;
    bool isOwner() const;

    void setMin(Bar& b, int value);
    void setMax(Bar& b, int value);
    void setPage(Bar& b, int value);
    int liveValue(const Bar& b) const;
    void setValue(Bar& b, int value);
    void setVisible(Bar& b, bool visible);

    // Writes the bar's range, page and the given position to the host's bar.
    void writeRecord(const Bar& b, qint64 position);
    void applyVisibility(const Bar& b);
    void onAction(Qt::Orientation o, int action);
    void onValueChanged(Qt::Orientation o);
    void raiseScroll(Qt::Orientation o);
    void hookBars();

    QPointer<QAbstractScrollArea> host_;
    QPointer<QScrollBar> hBar_;
    QPointer<QScrollBar> vBar_;
    Bar h_{Qt::Horizontal};
    Bar v_{Qt::Vertical};
    int writing_ = 0;    // the control itself is changing a bar
    int holdResize_ = 0; // the host's viewport resize notifications are held back
    bool hostGone_ = false;

    friend class SliverWriteScope;
};
