#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

// Reads the first characters of the X clipboard's text on a thread of its
// own, over a connection of its own to the X server, so that an owner that
// is slow, busy with another reader or holding megabytes of text never
// stops the window. The owner is asked for the text types it lists, UTF-8
// first, as Qt's clipboard would. A long text comes in pieces: the first is
// read, the rest are let go unread, so that the owner finishes and serves
// its other readers.
class X11ClipboardHead {
 public:
  using Heard = std::function<void(const QString &head)>;

  X11ClipboardHead();
  ~X11ClipboardHead();
  X11ClipboardHead(const X11ClipboardHead &) = delete;
  X11ClipboardHead &operator=(const X11ClipboardHead &) = delete;

  // False when the X server could not be reached.
  bool connected() const { return session_ != nullptr; }
  // Reads at least `characters` characters of the text (empty when the
  // clipboard holds none or its owner does not answer) and hands them to
  // `heard` from the event loop, while `context` lives. A request still
  // waiting when a newer one comes is dropped unanswered.
  void read(int characters, QObject *context, Heard heard);

  class Session;

 private:
  struct Waiting {
    QPointer<QObject> context;
    Heard heard;
  };
  void run();
  void deliver(int serial, const QString &head);

  std::unique_ptr<Session> session_;
  // In the window's thread: the requests not yet answered, by serial.
  std::map<int, Waiting> waiting_;
  int serial_ = 0;
  // Receives the answers in the window's thread; it goes after the reader.
  QObject relay_;

  std::mutex mutex_;
  std::condition_variable wake_;
  struct Request {
    int serial;
    int characters;
  };
  std::optional<Request> pending_;  // under mutex_
  std::atomic<bool> stop_ = false;
  std::thread reader_;
};
