#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// What an export wrote into its folder, kept there in a small list of its
// own, so that the next export can take away what is no longer part of the
// site and tell the user's own files from the site's. Names are plain file
// names inside the folder; whatever else a list holds is ignored, so an
// edited list can never reach outside the folder.
namespace site_manifest {

// Hidden, so that a listing of the site shows only the site.
inline constexpr char FileName[] = ".varnel-site";

// The names the folder's list holds; empty when there is none, or when the
// file of that name is not such a list.
QStringList read(const QString &folder);
// Writes the list whole; an empty list removes it. False with the reason.
bool write(const QString &folder, const QStringList &names, QString *error);

// What the folder holds that its list does not name: the files, links and
// folders that no export wrote.
QStringList foreign(const QString &folder);

// Removes the named entries, each a file or a link (the link itself, never
// what it points to); a folder, or a name that is no plain file name, is
// left alone.
void remove(const QString &folder, const QStringList &names);

// The folder's entries as they are now, to tell later which of them were
// written meanwhile: a file replaced has a new inode, one rewritten in
// place a new time or size.
class Snapshot {
 public:
  explicit Snapshot(const QString &folder);
  // The entries made or changed since, the list itself not counted.
  QStringList changed() const;

  struct Stamp {
    quint64 inode = 0;
    qint64 seconds = 0, nanoseconds = 0, size = 0;
    bool operator==(const Stamp &) const = default;
  };

 private:
  QString folder_;
  QHash<QString, Stamp> stamps_;
};

}  // namespace site_manifest
