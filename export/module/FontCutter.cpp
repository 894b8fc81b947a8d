#include "export/module/FontCutter.h"

#include <fcntl.h>
#include <hb-ot.h>
#include <hb-subset.h>
#include <unistd.h>
#include <woff2/encode.h>

#include <QFile>
#include <cstdio>
#include <memory>
#include <vector>

namespace font_cutter {
namespace {

template <typename T, void (*Destroy)(T *)>
struct Deleter {
  void operator()(T *p) const { Destroy(p); }
};
using Blob = std::unique_ptr<hb_blob_t, Deleter<hb_blob_t, hb_blob_destroy>>;
using Face = std::unique_ptr<hb_face_t, Deleter<hb_face_t, hb_face_destroy>>;
using Input =
    std::unique_ptr<hb_subset_input_t,
                    Deleter<hb_subset_input_t, hb_subset_input_destroy>>;

constexpr hb_tag_t NameTag = HB_TAG('n', 'a', 'm', 'e');

// The English text of a name record, or empty.
QString nameText(hb_face_t *face, hb_ot_name_id_t id) {
  const hb_language_t english = hb_language_from_string("en", -1);
  unsigned size = hb_ot_name_get_utf16(face, id, english, nullptr, nullptr);
  if (size == 0) return {};
  std::vector<uint16_t> text(size + 1);
  ++size;
  hb_ot_name_get_utf16(face, id, english, &size, text.data());
  return QString::fromUtf16(reinterpret_cast<const char16_t *>(text.data()),
                            qsizetype(size));
}

void putShort(QByteArray &out, int value) {
  out += char((value >> 8) & 0xFF);
  out += char(value & 0xFF);
}

// A name table of Windows Unicode records only: the new names, and the
// copyright, version and licence records of the original kept as they are.
QByteArray nameTable(hb_face_t *original) {
  const QString family = QLatin1String(web_font_module::FamilyName);
  const QString postScript = QString(family).remove(QLatin1Char(' '));
  const QList<std::pair<int, QString>> records = {
      {0, nameText(original, 0)},
      {1, family},
      {2, QStringLiteral("Regular")},
      {3, postScript + QStringLiteral("-") + nameText(original, 5)},
      {4, family},
      {5, nameText(original, 5)},
      {6, postScript},
      {13, nameText(original, 13)},
      {14, nameText(original, 14)},
  };
  QByteArray strings, head;
  int count = 0;
  for (const auto &[id, text] : records) {
    if (text.isEmpty()) continue;
    ++count;
    QByteArray utf16;
    for (const QChar c : text) putShort(utf16, c.unicode());
    putShort(head, 3);       // Windows
    putShort(head, 1);       // Unicode BMP
    putShort(head, 0x0409);  // English (United States)
    putShort(head, id);
    putShort(head, int(utf16.size()));
    putShort(head, int(strings.size()));
    strings += utf16;
  }
  QByteArray table;
  putShort(table, 0);
  putShort(table, count);
  putShort(table, 6 + 12 * count);
  return table + head + strings;
}

Blob blobOf(const QByteArray &bytes) {
  return Blob(hb_blob_create(bytes.constData(), unsigned(bytes.size()),
                             HB_MEMORY_MODE_DUPLICATE, nullptr, nullptr));
}

// The subset's tables with its name table replaced, as one font file.
QByteArray renamed(hb_face_t *subset, hb_face_t *original) {
  // The subset is a face under construction, which cannot list its tables:
  // it is read back as a font file first.
  const Blob bytes(hb_face_reference_blob(subset));
  const Face font(hb_face_create(bytes.get(), 0));
  const Face builder(hb_face_builder_create());
  hb_tag_t tags[64];
  unsigned count = 64;
  hb_face_get_table_tags(font.get(), 0, &count, tags);
  for (unsigned i = 0; i < count; ++i) {
    const Blob table(tags[i] == NameTag
                         ? blobOf(nameTable(original)).release()
                         : hb_face_reference_table(font.get(), tags[i]));
    hb_face_builder_add_table(builder.get(), tags[i], table.get());
  }
  const Blob out(hb_face_reference_blob(builder.get()));
  unsigned size = 0;
  const char *data = hb_blob_get_data(out.get(), &size);
  return QByteArray(data, qsizetype(size));
}

// Debian's woff2 encoder prints its sizes on standard error, where the
// user reads only the program's own messages: they go to /dev/null while
// the encoder runs.
class QuietStderr {
 public:
  QuietStderr() {
    std::fflush(stderr);
    saved_ = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null >= 0) {
      dup2(null, STDERR_FILENO);
      close(null);
    }
  }
  ~QuietStderr() {
    std::fflush(stderr);
    if (saved_ >= 0) {
      dup2(saved_, STDERR_FILENO);
      close(saved_);
    }
  }

 private:
  int saved_ = -1;
};

QByteArray toWoff2(const QByteArray &font) {
  const QuietStderr quiet;
  const auto *data = reinterpret_cast<const uint8_t *>(font.constData());
  size_t size = woff2::MaxWOFF2CompressedSize(data, size_t(font.size()));
  QByteArray out(qsizetype(size), Qt::Uninitialized);
  if (!woff2::ConvertTTFToWOFF2(data, size_t(font.size()),
                                reinterpret_cast<uint8_t *>(out.data()), &size))
    return {};
  out.truncate(qsizetype(size));
  return out;
}

}  // namespace

bool cut(const QString &fontPath, const QList<char32_t> &characters,
         QByteArray *trueType, QByteArray *woff2, QString *error) {
  const auto failed = [&](const char *why) {
    *error = QStringLiteral("フォント「%1」%2")
                 .arg(fontPath, QString::fromUtf8(why));
    return false;
  };
  QFile file(fontPath);
  if (!file.open(QIODevice::ReadOnly)) return failed("を読めません。");
  const QByteArray bytes = file.readAll();
  const Blob blob = blobOf(bytes);
  const Face face(hb_face_create(blob.get(), 0));
  if (hb_face_get_glyph_count(face.get()) == 0)
    return failed("はフォントではありません。");

  const Input input(hb_subset_input_create_or_fail());
  if (!input) return failed("の一部を作れません。");
  hb_set_t *unicodes = hb_subset_input_unicode_set(input.get());
  for (char32_t c = 0x20; c < 0x7F; ++c) hb_set_add(unicodes, c);
  for (const char32_t c : characters) hb_set_add(unicodes, c);
  // Browsers hint on their own; the instructions would be a third of it.
  hb_subset_input_set_flags(input.get(), HB_SUBSET_FLAGS_NO_HINTING);
  const Face subset(hb_subset_or_fail(face.get(), input.get()));
  if (!subset) return failed("の一部を作れません。");

  *trueType = renamed(subset.get(), face.get());
  *woff2 = toWoff2(*trueType);
  if (trueType->isEmpty() || woff2->isEmpty())
    return failed("の一部を作れません。");
  return true;
}

}  // namespace font_cutter
