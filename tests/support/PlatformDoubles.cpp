// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlatformDoubles.h"

#include <gtest/gtest.h>

namespace norumi::test {

namespace {
const char* KindName(int kind) {
  static const char* names[] = {"message box", "input box", "modal window", "folder dialog"};
  return names[kind];
}
}  // namespace

ScriptedDialogs::~ScriptedDialogs() {
  VerifyFinished();
}

void ScriptedDialogs::VerifyFinished() {
  for (const Step& step : steps_)
    ADD_FAILURE() << "expected " << KindName(int(step.kind))
                  << " never came: " << step.text.toStdString() << " / "
                  << step.caption.toStdString();
  steps_.clear();
}

void ScriptedDialogs::ExpectMessage(const QString& text, const QString& caption, MsgIcon icon,
                                    MsgButtons buttons, MsgAnswer answer) {
  steps_.push_back({Kind::Message, text, caption, {}, icon, buttons, answer, {}, {}});
}

void ScriptedDialogs::ExpectDetailedMessage(const QString& text, const QString& details,
                                            const QString& caption, MsgIcon icon) {
  ExpectMessage(text, caption, icon);
  steps_.back().details = details;
}

void ScriptedDialogs::ExpectInput(const QString& caption, const QString& prompt,
                                  const QString& defaultText, std::optional<QString> answer) {
  steps_.push_back({Kind::Input,
                    defaultText,
                    caption,
                    prompt,
                    MsgIcon::Stop,
                    MsgButtons::Ok,
                    MsgAnswer::Ok,
                    std::move(answer),
                    {}});
}

void ScriptedDialogs::ExpectModal(const QString& objectName, std::function<void(QDialog&)> drive) {
  steps_.push_back({Kind::Modal,
                    objectName,
                    {},
                    {},
                    MsgIcon::Stop,
                    MsgButtons::Ok,
                    MsgAnswer::Ok,
                    {},
                    std::move(drive)});
}

void ScriptedDialogs::ExpectFolder(const QString& caption, std::optional<QString> answer) {
  steps_.push_back({Kind::Folder,
                    caption,
                    caption,
                    {},
                    MsgIcon::Stop,
                    MsgButtons::Ok,
                    MsgAnswer::Ok,
                    std::move(answer),
                    {}});
}

std::optional<ScriptedDialogs::Step> ScriptedDialogs::Next(Kind kind, const QString& what) {
  if (steps_.empty()) {
    ADD_FAILURE() << "unexpected " << KindName(int(kind)) << ": " << what.toStdString();
    return std::nullopt;
  }
  Step step = std::move(steps_.front());
  steps_.pop_front();
  if (step.kind != kind) {
    ADD_FAILURE() << "expected " << KindName(int(step.kind)) << " \"" << step.text.toStdString()
                  << "\", got " << KindName(int(kind)) << ": " << what.toStdString();
    return std::nullopt;
  }
  return step;
}

MsgAnswer ScriptedDialogs::MessageBox(QWidget*, const QString& text, const QString& caption,
                                      MsgIcon icon, MsgButtons buttons) {
  const auto step = Next(Kind::Message, text);
  if (!step)
    return buttons == MsgButtons::Ok      ? MsgAnswer::Ok
           : buttons == MsgButtons::YesNo ? MsgAnswer::No
                                          : MsgAnswer::Cancel;
  EXPECT_EQ(text.toStdString(), step->text.toStdString());
  EXPECT_EQ(caption.toStdString(), step->caption.toStdString());
  EXPECT_EQ(icon, step->icon) << text.toStdString();
  EXPECT_EQ(buttons, step->buttons) << text.toStdString();
  EXPECT_EQ("", step->details.toStdString()) << "a message box where a list was expected";
  return step->answer;
}

void ScriptedDialogs::DetailedMessage(QWidget*, const QString& text, const QString& details,
                                      const QString& caption, MsgIcon icon) {
  const auto step = Next(Kind::Message, text);
  if (!step) return;
  EXPECT_EQ(text.toStdString(), step->text.toStdString());
  EXPECT_EQ(details.toStdString(), step->details.toStdString());
  EXPECT_EQ(caption.toStdString(), step->caption.toStdString());
  EXPECT_EQ(icon, step->icon) << text.toStdString();
}

QString ScriptedDialogs::InputBox(QWidget*, const QString& caption, const QString& prompt,
                                  const QString& defaultText) {
  const auto step = Next(Kind::Input, prompt);
  if (!step) return defaultText;
  EXPECT_EQ(caption.toStdString(), step->caption.toStdString());
  EXPECT_EQ(prompt.toStdString(), step->prompt.toStdString());
  EXPECT_EQ(defaultText.toStdString(), step->text.toStdString());
  return step->input.value_or(defaultText);
}

int ScriptedDialogs::ShowModal(QDialog& window) {
  const auto step = Next(Kind::Modal, window.objectName());
  if (!step) return kModalCancel;
  EXPECT_EQ(window.objectName().toStdString(), step->text.toStdString());
  window.setResult(0);
  window.show();
  if (step->drive) step->drive(window);
  if (window.isVisible()) {
    ADD_FAILURE() << "modal window left open: " << window.objectName().toStdString();
    window.reject();
  }
  return ModalResultOf(window);
}

std::optional<QString> ScriptedDialogs::ChooseFolder(QWidget*, const QString& caption,
                                                     const QString&) {
  const auto step = Next(Kind::Folder, caption);
  if (!step) return std::nullopt;
  EXPECT_EQ(caption.toStdString(), step->caption.toStdString());
  return step->input;
}

}  // namespace norumi::test
