#pragma once
// The files the monkey opens: real programs (the corpus, the examples) and hostile ones made
// for the run in a scratch folder (garbage, empty, huge numbers, a FIFO, a folder, devices,
// a name that is not valid text), plus one program it keeps changing under the viewer while
// the viewer may be following it.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <random>

namespace monkey {

class MonkeyFiles {
  public:
    // Programs are taken from every folder given that exists; hostile files are made from rng.
    MonkeyFiles(const QStringList& programfolders, std::mt19937_64& rng);

    bool valid() const { return scratch_.isValid(); }
    const QStringList& programs() const { return programs_; }
    const QStringList& hostile() const { return hostile_; }
    // The program the monkey changes; it starts as a copy of a small program.
    QString followed() const { return followed_; }

    // Any of the files above, the changed one included.
    QString pick(std::mt19937_64& rng) const;
    // Replaces the followed program by another text, garbage, nothing, a FIFO, a folder, or
    // removes it; returns what it did.
    QString changefollowed(std::mt19937_64& rng) const;

  private:
    QString make(const QString& name, const QByteArray& bytes);

    QTemporaryDir scratch_;
    QStringList programs_;
    QStringList hostile_;
    QString followed_;
};

}  // namespace monkey
