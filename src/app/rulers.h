#pragma once

#include <QWidget>

// A pixel ruler beside the document: a mark every 100 pixels with its number, and extra
// marks for the common screen sizes (640 and 1024 across, 480 and 768 down).
class TkrRuler : public QWidget
{
    Q_OBJECT

public:
    TkrRuler(Qt::Orientation orientation, QWidget *parent = nullptr);
    // Horizontal rulers start after the vertical ruler's width.
    void SetOffset(int pixels);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    Qt::Orientation m_orientation;
    int m_offset = 0;
};
