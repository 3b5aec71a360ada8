// The graded-shading legend window "ﾗﾝｸ分け": the count bars and the contour-level labels.
#pragma once

#include <QWidget>

class PictureBox;
class QLabel;

class frmRankSet : public QWidget {
    Q_OBJECT
    // Read and written by the window placement; always 0.
    Q_PROPERTY(float PictureLeft READ PictureLeft WRITE setPictureLeft)
    Q_PROPERTY(float PictureTop READ PictureTop WRITE setPictureTop)
  public:
    explicit frmRankSet(QWidget* parent = nullptr);
    ~frmRankSet() override;

    void setRankMax(int value) { rankMax_ = value; }
    void setCountMax(long value) { countMax_ = value; }
    void setDataNums(int value) { dataNums_ = value; }
    int RankMax() const { return rankMax_; }
    long CountMax() const { return countMax_; }
    int DataNums() const { return dataNums_; }
    // The selected level, 0 for none. Setting it clears the highlight of the old selection
    // (the new one is not highlighted: only a selection by the user is).
    int LabelIndex() const { return labelIndex_; }
    void setLabelIndex(int value);
    bool Gridline() const { return gridline_; }
    void setGridline(bool value) { gridline_ = value; }
    // Present like a diagram window's; always 0.
    float PictureLeft() const { return 0; }
    void setPictureLeft(float) {}
    float PictureTop() const { return 0; }
    void setPictureTop(float) {}

    PictureBox& picRSet() const;
    // The value label of level `index` (≥ 1), or nullptr. The level controls register here
    // when they are created (the swatch under the label is optional) and unregister with
    // nullptr when they go; controls that are deleted drop out by themselves.
    QLabel* lblRSet(int index) const;
    QWidget* shpRSet(int index) const;
    void RegisterLevelControls(int index, QLabel* label, QWidget* swatch = nullptr);
    // Gives the level's label and swatch the highlight colours, or the window colours again;
    // a level that no longer exists is ignored.
    void SetLevelHighlight(int index, bool highlighted);
    // The highest index with level controls, 0 when there are none.
    int LabelUBound() const;
    // The user's selection of a level, as a mouse press on its label does: highlights it and,
    // with `drag`, starts dragging it at `offset` (picture units from the label's top).
    void SelectLevel(int index, bool drag = false, double offset = 0);
    // Moves the selection as the Up/Down/Home/End keys do; `up` for Up and Home (Shift
    // reverses).
    void StepSelection(bool up);

    QSize sizeHint() const override;

  Q_SIGNALS:
    void Activate();
    void Deactivate();
    void DeleteButtonClick(int Index);
    void MenuButtonDown(int Menu);
    void Move(int Index, float Value);
    void Resize();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool levelLabelEvent(int index, QLabel* label, QEvent* event);
    void endDrag();

    struct Private;
    Private* d_;
    int rankMax_ = 1;
    long countMax_ = 1;
    int dataNums_ = 0;
    int labelIndex_ = 0;
    bool gridline_ = false;
    // The level being dragged (0 for none) and where the label was taken.
    int dragIndex_ = 0;
    bool dragging_ = false;
    double dragOffset_ = 1;
};
