#pragma once
// The palette window's content: the picture box ("%02d" for every picture up to the highest one
// in use), the zoom and the drawing area (cPaletteView). The window's title names the picture
// shown ("Palette [%02d]"). It follows the document: pictures changed, replaced or divided anew
// are shown again, with the pattern kept within the picture.

#include <QWidget>

#include <functional>

class cCanvas;
class cPaletteView;
class cSession;
class QComboBox;
class QScrollArea;

class cPaletteWindow : public QWidget {
    Q_OBJECT
  public:
    cPaletteWindow(cSession& session, std::function<cCanvas*()> canvas, QWidget* parent = nullptr);

    cPaletteView* area() const { return area_; }
    QComboBox* pictureBox() const { return pictures_; }
    QComboBox* zoomBox() const { return zoom_; }
    // Shows a picture (-1 keeps the pattern) and names it in the title.
    void showPicture(int picture, int pattern = -1);

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void onChanged(unsigned flags);
    // The picture box lists the pictures up to the highest one in use (and the one shown).
    void refill();

    cSession& session_;
    QComboBox* pictures_;
    QComboBox* zoom_;
    QScrollArea* scroll_;
    cPaletteView* area_;
    bool vertical_ = false; // the layout shown
};
