#include "toolbox/ui/kono_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "plot/ui/fonts.h"
#include "session/ui/qt_dialogs.h"

namespace rmx::ui {

namespace {

constexpr const char* DataToolTip =
    "Polarity desinated as N, R, NP, and RP will be used. All other polarity designations will not be used in the "
    "calculation. Type, or copy and paste data here. If no intensity data, default to one.";
constexpr const char* WeightToolTip =
    "Polarity designations of N and R are counted twice, NP and RP are counted once, all others are neglected and "
    "not included in the calculation.";

QLabel* Label(const QString& name, const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setTextFormat(Qt::PlainText);
  Describe(l, name, text);
  return l;
}

QPlainTextEdit* TextBox(const char* name, const QString& accessibleName, QWidget* parent) {
  auto* box = new QPlainTextEdit(parent);
  Describe(box, QString::fromLatin1(name), accessibleName);
  box->setFont(FixedFont(10));
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->setLineWrapMode(QPlainTextEdit::NoWrap);
  return box;
}

}  // namespace

KonoWindow::KonoWindow(std::function<Dialogs&()> dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), dialogs_(std::move(dialogs)) {
  setWindowTitle("Kono Remanex Latitude Calculator");
  Describe(this, "frmKono", windowTitle());

  auto* headings = new QHBoxLayout;
  for (const auto& [name, text] : {std::pair{"lblPolarity", "Polarity"}, std::pair{"lblInclination", "Inclination"},
                                   std::pair{"lblIntensity", "Intensity"}})
    headings->addWidget(Label(name, text, this), 1);
  data_ = TextBox("txtData", "Data", this);
  data_->setToolTip(DataToolTip);
  data_->setTabChangesFocus(false);

  weight_ = new QCheckBox("&Weighted (N, R Counted Twice)", this);
  Describe(weight_, "chkWeight", "Weighted (N, R Counted Twice)");
  weight_->setToolTip(WeightToolTip);
  auto* compute = new QPushButton("&Compute Kono (1980) Paleolatitude", this);
  Describe(compute, "cmdCompute", "Compute Kono (1980) Paleolatitude");
  compute->setAutoDefault(false);
  auto* note = Label("lblMethod",
                     "Method by Kono, M. (1980): Journal of Geophysical Research, 85(B7), pages 3878-3882.", this);
  note->setWordWrap(true);

  auto* results = new QGroupBox("Results", this);
  Describe(results, "fraResults", "Results");
  auto* grid = new QGridLayout(results);
  for (int b = 0; b < toolbox::KonoBoxCount; ++b) {
    const toolbox::KonoBoxName& form = toolbox::KonoBoxes[b];
    const QString name = QString::fromLatin1(form.name);
    auto* label = Label("lbl" + name.mid(3), QString::fromLatin1(form.label), results);
    auto* box = new QLineEdit(results);
    // txtK is "Estimated K" to a screen reader: "K:" alone says little.
    Describe(box, name, b == toolbox::KonoK ? QStringLiteral("Estimated K") : label->text().chopped(1));
    box->setReadOnly(true);
    label->setBuddy(box);
    grid->addWidget(label, b, 0);
    grid->addWidget(box, b, 1);
    boxes_[b] = box;
  }
  intermediate_ = TextBox("txtIntResult", "Intermediate results", this);
  intermediate_->setReadOnly(true);

  auto* left = new QVBoxLayout;
  left->addLayout(headings);
  left->addWidget(data_, 1);
  left->addWidget(weight_);
  left->addWidget(compute);
  left->addWidget(note);
  auto* right = new QVBoxLayout;
  right->addWidget(results);
  right->addWidget(intermediate_, 1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(right, 1);
  resize(760, 560);

  connect(compute, &QPushButton::clicked, this, &KonoWindow::Compute);
}

void KonoWindow::ShowWindow() {
  show();
  raise();
  activateWindow();
  data_->setFocus(Qt::OtherFocusReason);
}

void KonoWindow::Compute() {
  // The text box ends its lines with line feeds only; the reader takes them as row ends.
  const toolbox::KonoResult r = toolbox::ComputeKono(FromQt(data_->toPlainText()), weight_->isChecked());
  for (int b = 0; b < toolbox::KonoBoxCount; ++b) boxes_[b]->setText(ToQt(r.boxes[b]));
  intermediate_->setPlainText(ToQt(r.intermediate));
  if (r.refusal) {
    dialogs_().MessageBox(r.refusal->text, r.refusal->title);
    data_->setFocus(Qt::OtherFocusReason);
  }
  if (r.notice) dialogs_().MessageBox(r.notice->text, r.notice->title);
}

}  // namespace rmx::ui
