#pragma once
// The units dialog: one force unit and one length unit for the values shown and entered.
#include <QDialog>
#include <string>
#include <vector>

#include "core/module_context.h"

class QRadioButton;

namespace tavo::ui {

class frmUnits : public QDialog {
  Q_OBJECT
 public:
  explicit frmUnits(const UnitSystem& current, QWidget* parent = nullptr);

  static const std::vector<std::string>& ForceNames();
  static const std::vector<std::string>& LengthNames();

  // The chosen pair, "[" force "]-[" length "]".
  std::string UnitText() const;
  std::string ForceName() const;
  std::string LengthName() const;
  void Select(const std::string& force, const std::string& length);

 private:
  std::vector<QRadioButton*> force_, length_;
};

}  // namespace tavo::ui
