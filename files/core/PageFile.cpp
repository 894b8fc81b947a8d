#include "files/core/PageFile.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "base/core/Cp932.h"
#include "base/core/FileErrors.h"
#include "base/core/QuotedInput.h"
#include "files/core/PageFormat.h"
#include "score/core/Decimal.h"
#include "score/core/ScorePage.h"
#include "score/core/StaffLimits.h"

namespace page_file {

QString noPageMessage() { return QStringLiteral("Fumデータが読めません。"); }

QString protectedPageMessage() {
  return QStringLiteral("これは改変禁止ファイルです。保存できません。");
}

QString formatWarningMessage() {
  return QStringLiteral(
      "ファイルのフォーマットが違います。正しく開けない可能性があります。");
}

QString nameQuestion(const QString &fileName, const QByteArray &internalName) {
  return QStringLiteral(
             "ファイル「%1」の\r\n内部名が「%2」になっています。"
             "\r\n内部名を正しますか？")
      .arg(fileName, quoted_input::head(cp932::toUnicode(internalName)));
}

namespace {

// Converts the header fields that were read; false after reporting one
// that is not a number.
bool takeHeader(ScorePage &page, const page_format::DataFields &fields,
                Reports &reports) {
  const QByteArray *texts[3] = {&fields.protect, &fields.staffCount,
                                &fields.staffWidth};
  int *values[3] = {&page.ProtectFlag, &page.StaffCount, &page.StaffWidth};
  for (int i = 0; i < 3 && i < fields.fieldCount; ++i) {
    const std::optional<int> value = parseDecimal(*texts[i]);
    if (!value) {
      reports << Report::notAnInteger(cp932::toUnicode(*texts[i]));
      return false;
    }
    *values[i] = *value;
  }
  return true;
}

// A canvas is never made from sizes the program cannot show.
void boundSizes(ScorePage &page, Reports &reports) {
  if (staff_limits::countInRange(page.StaffCount) &&
      staff_limits::widthInRange(page.StaffWidth))
    return;
  reports << Report::warning(
      QStringLiteral("五線紙の段数 %1、幅 %2 は扱えません (段数は %3～%4、"
                     "幅は %5～%6)。範囲内に直して開きます。")
          .arg(page.StaffCount)
          .arg(page.StaffWidth)
          .arg(staff_limits::MinCount)
          .arg(staff_limits::MaxCount)
          .arg(staff_limits::MinWidth)
          .arg(staff_limits::MaxWidth));
  page.StaffCount = staff_limits::clampCount(page.StaffCount);
  page.StaffWidth = staff_limits::clampWidth(page.StaffWidth);
}

}  // namespace

LoadResult readInto(ScorePage &page, const QString &path) {
  page.InternalName.clear();
  QFile file(path);
  errno = 0;
  if (!file.open(QIODevice::ReadOnly)) {
    LoadResult result;
    result.reports << Report::stop(file_errors::cannotRead(path, errno));
    return result;
  }
  return readFrom(page, file);
}

LoadResult readFrom(ScorePage &page, QIODevice &device) {
  LoadResult result;
  page.InternalName.clear();
  bool readError = false;
  page_format::PageBlock block = page_format::readPageBlock(device, &readError);
  if (readError) {
    const auto *file = qobject_cast<QFileDevice *>(&device);
    result.reports << Report::stop(
        file ? file_errors::cannotRead(file->fileName(), 0)
             : device.errorString());
    return result;
  }
  device.close();
  page.InternalName = block.internalName;
  if (page.InternalName.isEmpty()) {
    result.reports << Report::error(noPageMessage());
    result.status = LoadResult::Status::NoPage;
    return result;
  }
  page_format::DataFields fields =
      page_format::splitDataPayload(block.dataPayload);
  if (!takeHeader(page, fields, result.reports)) return result;
  if (fields.tooLarge) {
    result.reports << Report::error(
        QStringLiteral("譜面が大きすぎて読めません。"));
    return result;
  }
  page.Inputs = std::move(fields.inputs);
  if (page.ProtectFlag != 1 && page.ProtectFlag != -1)
    result.reports << Report::warning(formatWarningMessage());
  boundSizes(page, result.reports);
  result.pageText =
      page_format::decodeTextPayload(std::move(block.textPayload));
  result.status = LoadResult::Status::Loaded;
  return result;
}

SaveResult save(ScorePage &page, const QByteArray &pageText, int maxChar,
                bool administratorMode) {
  using Status = SaveResult::Status;
  const int protectValue = administratorMode ? -1 : 1;
  if (page.ProtectFlag < 0 && !administratorMode) {
    // The edits are not stored, so the page stays modified and the save
    // question comes again before they could be lost.
    return {Status::Refused, {Report::error(protectedPageMessage())}};
  }
  if (page.PagePath.isEmpty()) return {Status::NeedsName, {}};
  const int lineLength = page_format::clampMaxChar(maxChar);
  const QByteArray name =
      page_format::internalNameFor(page.PagePath, lineLength);
  if (name.isEmpty()) {
    // A page stored without a name could never be read back.
    return {
        Status::Failed,
        {Report::error(
            QStringLiteral("ファイル名「%1」からは譜面の内部名が作れないため、"
                           "保存できません。")
                .arg(QFileInfo(page.PagePath).fileName()))}};
  }
  const QByteArray bytes = page_format::pageFileBytes(
      name, pageText, page_format::dataPayload(protectValue, page), lineLength);
  QString error;
  if (!page_format::writeFileSafely(page.PagePath, bytes, &error)) {
    return {Status::Failed, {Report::stop(error)}};
  }
  // The page takes its new name only once it is stored under it.
  page.InternalName = name;
  return {Status::Written, {}};
}

}  // namespace page_file
