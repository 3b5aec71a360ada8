// The splash window shown while the program builds its windows.
#pragma once

#include <QWidget>

class QLabel;

class frmTitle : public QWidget {
    Q_OBJECT
  public:
    explicit frmTitle(QWidget* parent = nullptr);

    // Centres the window, shows it on top and keeps it up for `milliseconds` while events run.
    void Load(int milliseconds = 2000);

    QLabel* lblTitle(int index) const;

  private:
    QLabel* lblTitle_[4] = {};
};
