#include "toolbox/ui/coord_conv_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "session/ui/qt_dialogs.h"

namespace rmx::ui {

using toolbox::CoordBox;

namespace {

struct BoxForm {
  CoordBox box;
  const char* name;
  const char* label;
  const char* accessibleName;
};

const BoxForm Boxes[] = {
    {CoordBox::Digits, "txtDigits", "Digits after decimal point", "Digits after decimal point"},
    {CoordBox::North, "txtNorth", "North(x1)", "North (x1)"},
    {CoordBox::East, "txtEast", "East (x2)", "East (x2)"},
    {CoordBox::Down, "txtDown", "Down (x3)", "Down (x3)"},
    {CoordBox::Declination, "txtDeclination", "Declination (degree)", "Declination (degree)"},
    {CoordBox::Inclination, "txtInclination", "Inclination (degree)", "Inclination (degree)"},
    {CoordBox::Intensity, "txtIntensity", "Intensity", "Intensity"},
    {CoordBox::Inclination2, "txtInclination2", "Inclination (degree)", "Inclination for latitude (degree)"},
    {CoordBox::Latitude, "txtLatitude", "Latitude (degree)", "Latitude (degree)"},
};

QLabel* Heading(const char* name, const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  Describe(l, QString::fromLatin1(name), text);
  l->setTextFormat(Qt::PlainText);
  QFont f = l->font();
  f.setBold(true);
  l->setFont(f);
  return l;
}

QPushButton* Button(const char* name, const QString& caption, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  Describe(b, QString::fromLatin1(name), caption);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

CoordConvWindow::CoordConvWindow(std::function<Dialogs&()> dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), dialogs_(std::move(dialogs)) {
  setWindowTitle("Toolbox 1 - Coordinate Conversion and Latitude");
  Describe(this, "frmCoorConv", windowTitle());

  QLabel* labels[toolbox::CoordBoxCount] = {};
  for (const BoxForm& f : Boxes) {
    const int i = static_cast<int>(f.box);
    auto* box = new QLineEdit(this);
    Describe(box, QString::fromLatin1(f.name), QString::fromLatin1(f.accessibleName));
    auto* label = new QLabel(QString::fromLatin1(f.label), this);
    label->setTextFormat(Qt::PlainText);
    Describe(label, "lbl" + QString::fromLatin1(f.name + 3), QString::fromLatin1(f.label));
    label->setBuddy(box);
    boxes_[i] = box;
    labels[i] = label;
  }
  Box(CoordBox::Digits)->setText("5");
  const auto at = [&labels](CoordBox b) { return labels[static_cast<int>(b)]; };

  auto* toCart = Button("cmdSphetoCart", "D, I, M to x1, x2, x3", this);
  auto* toSphe = Button("cmdCarttoSphe", "x1, x2, x3 to D, I, M", this);
  auto* incToLat = Button("cmdIncToLat", QString(), this);
  incToLat->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
  incToLat->setAccessibleName("Inclination to latitude");
  incToLat->setToolTip("Inclination to latitude");
  auto* latToInc = Button("cmdLatToInc", QString(), this);
  latToInc->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
  latToInc->setAccessibleName("Latitude to inclination");
  latToInc->setToolTip("Latitude to inclination");

  auto* vector = new QGridLayout;
  const CoordBox left[] = {CoordBox::Declination, CoordBox::Inclination, CoordBox::Intensity};
  const CoordBox right[] = {CoordBox::North, CoordBox::East, CoordBox::Down};
  for (int r = 0; r < 3; ++r) {
    vector->addWidget(at(left[r]), r, 0);
    vector->addWidget(Box(left[r]), r, 1);
    vector->addWidget(at(right[r]), r, 3);
    vector->addWidget(Box(right[r]), r, 4);
  }
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(toCart);
  buttons->addWidget(toSphe);
  vector->addLayout(buttons, 0, 2, 3, 1);
  vector->addWidget(at(CoordBox::Digits), 3, 0);
  vector->addWidget(Box(CoordBox::Digits), 3, 1);

  auto* latitude = new QGridLayout;
  latitude->addWidget(at(CoordBox::Inclination2), 0, 0);
  latitude->addWidget(at(CoordBox::Latitude), 0, 3);
  latitude->addWidget(Box(CoordBox::Inclination2), 1, 0);
  latitude->addWidget(incToLat, 1, 1);
  latitude->addWidget(latToInc, 1, 2);
  latitude->addWidget(Box(CoordBox::Latitude), 1, 3);
  latitude->setColumnStretch(0, 1);
  latitude->setColumnStretch(3, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Heading("lblCoordinateConv", "Conversion between Spherical and Cartesian Coordinate Systems", this));
  layout->addLayout(vector);
  layout->addSpacing(12);
  layout->addWidget(Heading("lblIncToLatitude", "Conversion between Inclination and Latitude", this));
  layout->addLayout(latitude);
  layout->addStretch();

  connect(toCart, &QPushButton::clicked, this, &CoordConvWindow::SphericalToCartesian);
  connect(toSphe, &QPushButton::clicked, this, &CoordConvWindow::CartesianToSpherical);
  connect(incToLat, &QPushButton::clicked, this, &CoordConvWindow::InclinationToLatitude);
  connect(latToInc, &QPushButton::clicked, this, &CoordConvWindow::LatitudeToInclination);
}

QLineEdit* CoordConvWindow::Box(CoordBox box) const { return boxes_[static_cast<int>(box)]; }

void CoordConvWindow::ShowAt(CoordBox box) {
  show();
  raise();
  activateWindow();
  Box(box)->setFocus(Qt::OtherFocusReason);
}

void CoordConvWindow::Show(const toolbox::CoordOutcome& o, std::initializer_list<CoordBox> results) {
  if (o.refusal) {
    dialogs_().MessageBox(o.refusal->prompt, o.refusal->title);
    Box(o.refusal->box)->setFocus(Qt::OtherFocusReason);
    return;
  }
  size_t i = 0;
  for (CoordBox b : results) Box(b)->setText(ToQt(o.texts.at(i++)));
}

void CoordConvWindow::SphericalToCartesian() {
  for (CoordBox b : {CoordBox::North, CoordBox::East, CoordBox::Down}) Box(b)->clear();
  const auto text = [this](CoordBox b) { return FromQt(Box(b)->text()); };
  Show(toolbox::SphericalToCartesian(text(CoordBox::Digits), text(CoordBox::Declination),
                                     text(CoordBox::Inclination), text(CoordBox::Intensity)),
       {CoordBox::North, CoordBox::East, CoordBox::Down});
}

void CoordConvWindow::CartesianToSpherical() {
  // The results keep their texts when a value is refused.
  const auto text = [this](CoordBox b) { return FromQt(Box(b)->text()); };
  Show(toolbox::CartesianToSpherical(text(CoordBox::Digits), text(CoordBox::North), text(CoordBox::East),
                                     text(CoordBox::Down)),
       {CoordBox::Declination, CoordBox::Inclination, CoordBox::Intensity});
}

void CoordConvWindow::InclinationToLatitude() {
  Show(toolbox::InclinationToLatitude(FromQt(Box(CoordBox::Inclination2)->text())), {CoordBox::Latitude});
}

void CoordConvWindow::LatitudeToInclination() {
  Show(toolbox::LatitudeToInclination(FromQt(Box(CoordBox::Latitude)->text())), {CoordBox::Inclination2});
}

}  // namespace rmx::ui
