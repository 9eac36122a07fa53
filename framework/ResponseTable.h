// Response tables: a window class lists which messages, commands, control notifications and
// command-enable queries it answers, as a constexpr array of entries, and looks them up from its
// Find override:
//
//   using R = TResponse<TMyWindow>;
//   static constexpr R kResponses[] = {R::Message(WM_TIMER, &TMyWindow::EvTimer),
//                                      R::Command(81, &TMyWindow::CmStop),
//                                      R::Enable(81, &TMyWindow::CeStop)};
//   bool TMyWindow::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TBase::Find(ev); }
#pragma once
#include <windows.h>
#include <cstddef>
#include "framework/CommandEnabler.h"

enum class TResponseKind { Message, Command, Notify, Enable };

template <class T>
struct TResponse {
  using MessageHandler = LRESULT (T::*)(WPARAM, LPARAM);
  using CommandHandler = void (T::*)();
  using EnableHandler = void (T::*)(TCommandEnabler&);

  TResponseKind kind;
  UINT msg;   // Message: the window message
  UINT id;    // Command, Notify, Enable: the command or control id
  UINT code;  // Notify: the notification code (WM_COMMAND high word or NMHDR code)
  MessageHandler onMessage;
  CommandHandler onCommand;
  EnableHandler onEnable;

  // Any window message; the handler's answer is the message result.
  static constexpr TResponse Message(UINT msg, MessageHandler h) {
    return {TResponseKind::Message, msg, 0, 0, h, nullptr, nullptr};
  }
  // A menu or accelerator command, or a button's click (WM_COMMAND with code 0 or 1).
  static constexpr TResponse Command(UINT id, CommandHandler h) {
    return {TResponseKind::Command, 0, id, 0, nullptr, h, nullptr};
  }
  // A child control's notification: WM_COMMAND from the control, or WM_NOTIFY. The handler gets
  // the message's wParam and lParam (for WM_NOTIFY lParam is the NMHDR*).
  static constexpr TResponse Notify(UINT id, UINT code, MessageHandler h) {
    return {TResponseKind::Notify, 0, id, code, h, nullptr, nullptr};
  }
  // The command-enable query for a command id.
  static constexpr TResponse Enable(UINT id, EnableHandler h) {
    return {TResponseKind::Enable, 0, id, 0, nullptr, nullptr, h};
  }
};

// One message on its way through the response tables.
struct TEvent {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  LRESULT result = 0;
  // A probe only asks whether some table has an entry; nothing is called.
  bool probe = false;

  template <class T, std::size_t N>
  bool Dispatch(T* self, const TResponse<T> (&table)[N]) {
    for (const TResponse<T>& r : table) {
      if (Matches(r.kind, r.msg, r.id, r.code)) return Call(self, r);
    }
    return false;
  }

private:
  bool Matches(TResponseKind kind, UINT rmsg, UINT id, UINT code) const;

  template <class T>
  bool Call(T* self, const TResponse<T>& r) {
    if (probe) return true;
    switch (r.kind) {
      case TResponseKind::Message:
      case TResponseKind::Notify:
        result = (self->*r.onMessage)(wParam, lParam);
        return true;
      case TResponseKind::Command:
        (self->*r.onCommand)();
        result = 0;
        return true;
      case TResponseKind::Enable:
        (self->*r.onEnable)(*reinterpret_cast<TCommandEnabler*>(lParam));
        return true;
    }
    return false;
  }
};
