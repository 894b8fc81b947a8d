#include "app/render/X11ClipboardHead.h"

#include <poll.h>
#include <xcb/xcb.h>

#include <QStringDecoder>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// How long the owner may take before it is asked again: xclip, for one,
// lets a request go unheard while it hands another reader a long text.
constexpr auto AskAgainAfter = 500ms;
// How long the owner may take in all to answer, and then between pieces.
constexpr auto OwnerTimeout = 5s;

struct FreeXcb {
  void operator()(void *p) const { std::free(p); }
};
template <typename T>
using XcbPtr = std::unique_ptr<T, FreeXcb>;
using Event = XcbPtr<xcb_generic_event_t>;

int typeOf(const xcb_generic_event_t *event) {
  return event->response_type & ~0x80;
}

}  // namespace

// The reader's own connection, with a hidden window whose property the
// owner writes the text into.
class X11ClipboardHead::Session {
 public:
  static std::unique_ptr<Session> open();
  ~Session();

  // The head of the text. An answer in pieces stays open for letRestGo.
  QString readHead(int characters, const std::atomic<bool> &stop);
  // Lets the pieces of the answer still to come go unread.
  void letRestGo(const std::atomic<bool> &stop);

 private:
  struct Value {
    xcb_atom_t type = XCB_NONE;
    QByteArray bytes;
    uint32_t bytesAfter = 0;
  };

  Session(xcb_connection_t *connection, xcb_window_t window)
      : c_(connection), window_(window) {}
  xcb_atom_t atom(const char *name);
  Event waitFor(const std::function<bool(const xcb_generic_event_t *)> &wanted,
                Clock::time_point deadline, const std::atomic<bool> &stop);
  std::optional<xcb_atom_t> ask(xcb_atom_t target,
                                const std::atomic<bool> &stop);
  bool nextPiece(const std::atomic<bool> &stop);
  Value property(uint32_t longs);
  void takeAway();
  std::vector<xcb_atom_t> textTargets(const std::atomic<bool> &stop);
  QString decode(const Value &value, int characters) const;

  xcb_connection_t *c_;
  xcb_window_t window_;
  xcb_atom_t clipboard_ = XCB_NONE, targets_ = XCB_NONE, incr_ = XCB_NONE,
             property_ = XCB_NONE;
  // The text types, in the order they are asked for.
  xcb_atom_t utf8_ = XCB_NONE, plainUtf8_ = XCB_NONE, text_ = XCB_NONE,
             plain_ = XCB_NONE;
  bool piecesOpen_ = false;
};

std::unique_ptr<X11ClipboardHead::Session> X11ClipboardHead::Session::open() {
  int screenNumber = 0;
  xcb_connection_t *c = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(c)) {
    xcb_disconnect(c);
    return nullptr;
  }
  xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < screenNumber && screen.rem > 1; ++i)
    xcb_screen_next(&screen);
  const xcb_window_t window = xcb_generate_id(c);
  const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(c, 0, window, screen.data->root, 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
                    XCB_CW_EVENT_MASK, &events);
  std::unique_ptr<Session> session(new Session(c, window));
  session->clipboard_ = session->atom("CLIPBOARD");
  session->targets_ = session->atom("TARGETS");
  session->utf8_ = session->atom("UTF8_STRING");
  session->plainUtf8_ = session->atom("text/plain;charset=utf-8");
  session->text_ = session->atom("TEXT");
  session->plain_ = session->atom("text/plain");
  session->incr_ = session->atom("INCR");
  session->property_ = session->atom("VARNEL_CLIPBOARD_HEAD");
  if (xcb_connection_has_error(c) || session->property_ == XCB_NONE)
    return nullptr;
  return session;
}

X11ClipboardHead::Session::~Session() {
  xcb_destroy_window(c_, window_);
  xcb_disconnect(c_);
}

xcb_atom_t X11ClipboardHead::Session::atom(const char *name) {
  const XcbPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      c_, xcb_intern_atom(c_, false, uint16_t(strlen(name)), name), nullptr));
  return reply ? reply->atom : XCB_NONE;
}

Event X11ClipboardHead::Session::waitFor(
    const std::function<bool(const xcb_generic_event_t *)> &wanted,
    Clock::time_point deadline, const std::atomic<bool> &stop) {
  for (;;) {
    while (Event event{xcb_poll_for_event(c_)})
      if (wanted(event.get())) return event;
    const auto left = deadline - Clock::now();
    if (stop || xcb_connection_has_error(c_) || left <= 0ms) return nullptr;
    // A tenth of a second at most, to hear a stop.
    pollfd socket{xcb_get_file_descriptor(c_), POLLIN, 0};
    const auto slice = std::min<Clock::duration>(left, 100ms);
    poll(&socket, 1,
         int(std::chrono::ceil<std::chrono::milliseconds>(slice).count()));
  }
}

// The property the owner wrote the text into, XCB_NONE when it has no text
// of this type, nothing when it did not answer.
std::optional<xcb_atom_t> X11ClipboardHead::Session::ask(
    xcb_atom_t target, const std::atomic<bool> &stop) {
  const auto end = Clock::now() + OwnerTimeout;
  // A late answer to an earlier question is for another type.
  const auto answer = [this, target](const xcb_generic_event_t *event) {
    if (typeOf(event) != XCB_SELECTION_NOTIFY) return false;
    const auto *notify =
        reinterpret_cast<const xcb_selection_notify_event_t *>(event);
    return notify->selection == clipboard_ && notify->target == target;
  };
  while (!stop && Clock::now() < end) {
    xcb_convert_selection(c_, window_, clipboard_, target, property_,
                          XCB_CURRENT_TIME);
    xcb_flush(c_);
    const Event event =
        waitFor(answer, std::min(end, Clock::now() + AskAgainAfter), stop);
    if (event)
      return reinterpret_cast<const xcb_selection_notify_event_t *>(event.get())
          ->property;
    if (xcb_connection_has_error(c_)) break;
  }
  return std::nullopt;
}

// Waits for the owner to write the next piece of a text in pieces.
bool X11ClipboardHead::Session::nextPiece(const std::atomic<bool> &stop) {
  const auto written = [this](const xcb_generic_event_t *event) {
    if (typeOf(event) != XCB_PROPERTY_NOTIFY) return false;
    const auto *change =
        reinterpret_cast<const xcb_property_notify_event_t *>(event);
    return change->window == window_ && change->atom == property_ &&
           change->state == XCB_PROPERTY_NEW_VALUE;
  };
  return waitFor(written, Clock::now() + OwnerTimeout, stop) != nullptr;
}

X11ClipboardHead::Session::Value X11ClipboardHead::Session::property(
    uint32_t longs) {
  const XcbPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
      c_,
      xcb_get_property(c_, false, window_, property_, XCB_GET_PROPERTY_TYPE_ANY,
                       0, longs),
      nullptr));
  Value value;
  if (!reply) return value;
  value.type = reply->type;
  value.bytesAfter = reply->bytes_after;
  value.bytes =
      QByteArray(static_cast<const char *>(xcb_get_property_value(reply.get())),
                 xcb_get_property_value_length(reply.get()));
  return value;
}

// Taking the property away tells the owner that its answer, or its piece,
// was read.
void X11ClipboardHead::Session::takeAway() {
  xcb_delete_property(c_, window_, property_);
  xcb_flush(c_);
}

QString X11ClipboardHead::Session::decode(const Value &value,
                                          int characters) const {
  QString text;
  if (value.type == utf8_ || value.type == plainUtf8_) {
    // A character cut at the end of the head stays in the decoder.
    QStringDecoder utf8(QStringDecoder::Utf8);
    text = utf8.decode(value.bytes);
  } else {
    // STRING is Latin-1; any other answer is read as far as it is ASCII.
    text = QString::fromLatin1(value.bytes);
  }
  return text.left(characters);
}

QString X11ClipboardHead::Session::readHead(int characters,
                                            const std::atomic<bool> &stop) {
  piecesOpen_ = false;
  // Late answers to an earlier request go unread.
  while (Event event{xcb_poll_for_event(c_)}) {
  }
  const XcbPtr<xcb_get_selection_owner_reply_t> owner(
      xcb_get_selection_owner_reply(c_, xcb_get_selection_owner(c_, clipboard_),
                                    nullptr));
  if (!owner || owner->owner == XCB_NONE) return {};
  // Four bytes to the unit: the most one character takes in UTF-8.
  const uint32_t longs = uint32_t(characters);
  for (const xcb_atom_t target : textTargets(stop)) {
    xcb_delete_property(c_, window_, property_);
    const std::optional<xcb_atom_t> answer = ask(target, stop);
    if (!answer) return {};
    if (*answer == XCB_NONE) continue;
    Value value = property(longs);
    if (value.type == incr_) {
      // The text comes in pieces, each once the one before is taken away.
      takeAway();
      if (!nextPiece(stop)) return {};
      value = property(longs);
      piecesOpen_ = !value.bytes.isEmpty() || value.bytesAfter > 0;
    }
    takeAway();
    return decode(value, characters);
  }
  return {};
}

// The text types the owner lists, in our order; all of them when it lists
// none, and none when it does not answer.
std::vector<xcb_atom_t> X11ClipboardHead::Session::textTargets(
    const std::atomic<bool> &stop) {
  std::vector<xcb_atom_t> wanted{utf8_, plainUtf8_, XCB_ATOM_STRING, text_,
                                 plain_};
  xcb_delete_property(c_, window_, property_);
  const std::optional<xcb_atom_t> answer = ask(targets_, stop);
  if (!answer) return {};
  if (*answer == XCB_NONE) return wanted;
  const Value list = property(1024);
  if (list.type == incr_) {
    piecesOpen_ = true;
    takeAway();
    letRestGo(stop);
    return wanted;
  }
  takeAway();
  if (list.type != XCB_ATOM_ATOM) return wanted;
  const auto *offered = reinterpret_cast<const xcb_atom_t *>(list.bytes.data());
  const qsizetype count = list.bytes.size() / qsizetype(sizeof(xcb_atom_t));
  std::erase_if(wanted, [&](xcb_atom_t target) {
    return std::find(offered, offered + count, target) == offered + count;
  });
  return wanted;
}

void X11ClipboardHead::Session::letRestGo(const std::atomic<bool> &stop) {
  // Each piece is taken away unread; the empty one ends the text.
  while (piecesOpen_ && nextPiece(stop)) {
    piecesOpen_ = property(0).bytesAfter > 0;
    takeAway();
  }
  piecesOpen_ = false;
}

X11ClipboardHead::X11ClipboardHead() : session_(Session::open()) {
  if (session_) reader_ = std::thread([this] { run(); });
}

X11ClipboardHead::~X11ClipboardHead() {
  {
    const std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_one();
  if (reader_.joinable()) reader_.join();
}

void X11ClipboardHead::read(int characters, QObject *context, Heard heard) {
  const int serial = ++serial_;
  waiting_[serial] = {context, std::move(heard)};
  {
    const std::lock_guard lock(mutex_);
    pending_ = Request{serial, characters};
  }
  wake_.notify_one();
}

void X11ClipboardHead::run() {
  for (;;) {
    Request request{};
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stop_ || pending_; });
      if (stop_) return;
      request = *pending_;
      pending_.reset();
    }
    const QString head = session_->readHead(request.characters, stop_);
    QMetaObject::invokeMethod(
        &relay_,
        [this, serial = request.serial, head] { deliver(serial, head); },
        Qt::QueuedConnection);
    session_->letRestGo(stop_);
  }
}

void X11ClipboardHead::deliver(int serial, const QString &head) {
  const auto answered = waiting_.find(serial);
  if (answered == waiting_.end()) return;
  const Waiting waiting = std::move(answered->second);
  // The requests before it were overtaken and get no answer.
  waiting_.erase(waiting_.begin(), std::next(answered));
  if (waiting.context) waiting.heard(head);
}
