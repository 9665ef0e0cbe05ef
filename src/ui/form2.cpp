#include "ui/form2.h"

#include <QButtonGroup>
#include <QKeyEvent>

#include "ui/colours.h"
#include "ui_form2.h"

namespace vellumet::ui {

Form2::Form2(Job& job, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::Form2>()), job_(job) {
  ui_->setupUi(this);
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(315, 167);
  fill_background(this, kPanelColour);
  ui_->Image1->set_art(QStringLiteral("banner"));

  auto* group = new QButtonGroup(this);
  QRadioButton* options[] = {ui_->Option1_0, ui_->Option1_1, ui_->Option1_2, ui_->Option1_3};
  for (int i = 0; i < 4; ++i) {
    fill_background(options[i], kPanelColour);
    group->addButton(options[i], i);
  }
  connect(group, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked) option1_click();
  });
  connect(ui_->Command1, &QPushButton::clicked, this, &Form2::command1_click);
  connect(ui_->Command2, &QPushButton::clicked, this, &QDialog::close);

  // Load: select the current style (its selection draws the preview), then
  // draw it once more. A style outside 0..3 selects nothing and draws no line.
  const int style = job_.state.frame_style;
  if (style >= 0 && style < 4) {
    options[style]->setChecked(true);
    options[style]->setFocus();
  }
  reDrawForm(style);
}

Form2::~Form2() = default;

int Form2::selected_option() const {
  const QRadioButton* options[] = {ui_->Option1_0, ui_->Option1_1, ui_->Option1_2, ui_->Option1_3};
  for (int i = 0; i < 4; ++i) {
    if (options[i]->isChecked()) return i;
  }
  return -1;
}

void Form2::reDrawForm(int s) {
  ui_->Picture1->set_style(s, job_.state.frame_scale);
  // Show the new line at once when the dialog is on screen; later repaints
  // draw it again from the paint event.
  if (ui_->Picture1->isVisible()) ui_->Picture1->repaint();
}

void Form2::keyPressEvent(QKeyEvent* event) {
  // A dialog would close on Esc; this one closes only through its buttons or
  // its frame.
  if (event->matches(QKeySequence::Cancel)) return;
  QDialog::keyPressEvent(event);
}

void Form2::option1_click() {
  reDrawForm(selected_option());
}

void Form2::command1_click() {
  const int selected = selected_option();
  if (selected >= 0) job_.state.frame_style = selected;
  close();
}

}  // namespace vellumet::ui
