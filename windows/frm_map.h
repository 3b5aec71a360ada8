// A diagram window: the 200 × 150 mm picture scaled to the net, the title label, scroll bars,
// and the maximum-point markers that the user drags.
#pragma once

#include <QAbstractScrollArea>
#include <QLineF>
#include <QRectF>

class Dialogs;
class PictureBox;
class QLabel;
class Sliver;

class frmMap : public QAbstractScrollArea {
    Q_OBJECT
    // Read and written by the window placement.
    Q_PROPERTY(float PictureLeft READ PictureLeft WRITE setPictureLeft)
    Q_PROPERTY(float PictureTop READ PictureTop WRITE setPictureTop)
  public:
    explicit frmMap(Dialogs& dialogs, QWidget* parent = nullptr);
    ~frmMap() override;

    // The diagram kind: 1 contour, 2 plot, 3 graded shading, 4 rose.
    int MapType() const { return mapType_; }
    void setMapType(int value) { mapType_ = value; }
    // The caption of the title label (may hold CR LF).
    QString Title() const;
    void setTitle(const QString& value);
    bool Gridline() const { return gridline_; }
    void setGridline(bool value) { gridline_ = value; }
    // Index of the marker label last right-clicked; 0 after a left click.
    int PoleNo() const { return poleNo_; }
    void setPoleNo(int value) { poleNo_ = value; }
    // Position of the picture in the window, in millimetres (≤ 0 when scrolled). The setters
    // move the scroll bars with it; a position the window cannot scroll to is brought back
    // within reach once the window has its size.
    float PictureLeft() const;
    void setPictureLeft(float value);
    float PictureTop() const;
    void setPictureTop(float value);

    // The picture every diagram routine draws on.
    PictureBox& picCont() const;
    QLabel& lblTitle() const;
    Sliver& sliver() const;

    // Top of the title label in picture units; the label stays centred on x = 0 whatever its
    // caption. 1.2 × NetRadius (under the net) when the window is built.
    float TitleTop() const;
    void SetTitleTop(float units);
    // Asks for a new title in the one-line form ("\n" line break, "\z" blank title), as a
    // double click or a right-button press on the title does.
    void EditTitle();

    // Marker controls of maximum point `index` (≥ 1): created together, removed together.
    // Positions are in picture units (the net scale). New controls are hidden; the label has
    // an opaque background in the window colour and the template caption "Ｎ２８゜Ｗ８２゜ＮＥ".
    void LoadPoleControls(int index);
    void UnloadPoleControls(int index);
    bool HasPoleControls(int index) const;
    // The highest index with marker controls, 0 when there are none.
    int PoleUBound() const;
    QLabel* imgPole(int index) const;
    QLabel* lblPole(int index) const;
    // The leader line from the marker (X1, Y1) to the label (X2, Y2), in picture units.
    QLineF linePole(int index) const;
    void setLinePole(int index, const QLineF& line);
    bool LinePoleVisible(int index) const;
    void setLinePoleVisible(int index, bool visible);

    // Left, Top, Width and Height of a control inside the picture (the title, a marker image
    // or label), in picture units; labels are first sized to their caption.
    QRectF ControlRect(const QWidget* control) const;
    // Moves a control inside the picture; left and top in picture units.
    void MoveControl(QWidget* control, double left, double top);

    // Puts the window on top of the other windows of its frame, as the active one, as a drawing
    // does when done.
    void BringToFront();

    QSize sizeHint() const override;

  Q_SIGNALS:
    void Activate();
    void Deactivate();
    void MenuButtonDown(int Index);
    void MovePole(int Index, float X, float Y);
    // A marker label was dropped at a new place (the marker itself stays).
    void MovePoleLabel(int Index);
    // The user gave the diagram a new title.
    void TitleChange();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    struct Private;
    Private* d_;
    Dialogs& dialogs_;
    int mapType_ = 0;
    bool gridline_ = false;
    int poleNo_ = 0;
};
