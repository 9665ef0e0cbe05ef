#pragma once

#include <QDialog>
#include <memory>

#include "job/job.h"

namespace Ui {
class Form2;
}

namespace vellumet::ui {

// The frame style dialog: four layouts with a preview. Modeless; it deletes
// itself when closed. Only "Set" changes the job's frame style; no key stands
// for either button.
class Form2 : public QDialog {
  Q_OBJECT
 public:
  Form2(Job& job, QWidget* parent = nullptr);
  ~Form2() override;

  // The first selected option's index, -1 when none is selected.
  int selected_option() const;
  // Draws the preview for style `s`.
  void reDrawForm(int s);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void option1_click();
  void command1_click();

  std::unique_ptr<Ui::Form2> ui_;
  Job& job_;
};

}  // namespace vellumet::ui
