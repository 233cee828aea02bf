// SPDX-License-Identifier: GPL-3.0-or-later
#include "judging/Readings.h"

#include <QDir>
#include <QFileInfo>

#ifdef NORUMI_HAVE_MECAB
#include <mecab.h>
#endif

namespace norumi {

#ifdef NORUMI_HAVE_MECAB

struct JapaneseReadings::Engine {
  std::unique_ptr<MeCab::Model> model;
  std::unique_ptr<MeCab::Tagger> tagger;
};

namespace {

// The IPA dictionary's features: part of speech, three subclasses, conjugation type,
// inflection, base form, reading, pronunciation. Words it does not know stop after the
// seventh field.
JapaneseToken TokenOf(const MeCab::Node& node) {
  JapaneseToken token;
  token.surface = QString::fromUtf8(node.surface, node.length);
  const QStringList fields = QString::fromUtf8(node.feature).split(u',');
  const auto field = [&](int i) {
    return i < fields.size() && fields[i] != u'*' ? fields[i] : QString();
  };
  token.partOfSpeech = field(0);
  token.subclass = field(1);
  token.inflection = field(5);
  token.baseForm = field(6);
  if (node.stat != MECAB_UNK_NODE) token.reading = field(7);
  return token;
}

}  // namespace

std::unique_ptr<JapaneseReadings> JapaneseReadings::Open(const QString& folder, QString* why) {
  const auto fail = [&](const QString& text) {
    if (why) *why = text;
    return std::unique_ptr<JapaneseReadings>();
  };
  const QString shown = QDir::toNativeSeparators(folder);
  if (!QFileInfo(folder + "/sys.dic").isFile())
    return fail("no Japanese dictionary at " + shown + " (install mecab-ipadic-utf8)");
  // The dictionary's own settings stand in for a system-wide mecabrc, which may name another
  // dictionary or be missing.
  QByteArray rc = QFile::encodeName(folder + "/dicrc");
  QByteArray dic = QFile::encodeName(folder);
  char program[] = "norumi";
  char rcOption[] = "-r";
  char dicOption[] = "-d";
  char* argv[] = {program, rcOption, rc.data(), dicOption, dic.data()};
  auto engine = std::make_unique<Engine>();
  engine->model.reset(MeCab::createModel(5, argv));
  if (!engine->model)
    return fail("MeCab cannot open the dictionary at " + shown + ": " +
                QString::fromLocal8Bit(MeCab::getLastError()));
  const MeCab::DictionaryInfo* info = engine->model->dictionary_info();
  const QByteArray charset = info && info->charset ? QByteArray(info->charset).toLower() : "";
  if (charset != "utf-8" && charset != "utf8")
    return fail("the dictionary at " + shown + " is not in UTF-8 (" + charset + ")");
  engine->tagger.reset(engine->model->createTagger());
  if (!engine->tagger) return fail("MeCab cannot start on the dictionary at " + shown);
  auto readings = std::unique_ptr<JapaneseReadings>(new JapaneseReadings(std::move(engine)));
  // An IPA dictionary reads 日本 in katakana in its eighth field; another kind of dictionary
  // would give wrong readings rather than none.
  const auto probe = readings->Analyse(QStringLiteral("日本"));
  if (probe.size() != 1 || probe[0].reading != QStringLiteral("ニッポン"))
    return fail("the dictionary at " + shown + " is no IPA dictionary");
  return readings;
}

std::vector<JapaneseToken> JapaneseReadings::Analyse(const QString& text) const {
  const QByteArray utf8 = text.toUtf8();
  // A lattice per call: the tagger and the model are shared, the lattice is not.
  std::unique_ptr<MeCab::Lattice> lattice(engine_->model->createLattice());
  lattice->set_sentence(utf8.constData(), utf8.size());
  std::vector<JapaneseToken> tokens;
  if (!engine_->tagger->parse(lattice.get())) return tokens;
  for (const MeCab::Node* node = lattice->bos_node(); node; node = node->next) {
    if (node->stat == MECAB_NOR_NODE || node->stat == MECAB_UNK_NODE)
      tokens.push_back(TokenOf(*node));
  }
  return tokens;
}

#else

struct JapaneseReadings::Engine {};

std::unique_ptr<JapaneseReadings> JapaneseReadings::Open(const QString&, QString* why) {
  if (why) *why = QStringLiteral("this build has no Japanese analyser (MeCab)");
  return nullptr;
}

std::vector<JapaneseToken> JapaneseReadings::Analyse(const QString&) const {
  return {};
}

#endif

namespace {

struct SharedState {
  std::unique_ptr<JapaneseReadings> readings;
  QString why;
};

const SharedState& State() {
  static const SharedState state = [] {
    SharedState opened;
    opened.readings = JapaneseReadings::Open(JapaneseReadings::DictionaryFolder(), &opened.why);
    return opened;
  }();
  return state;
}

}  // namespace

JapaneseReadings::JapaneseReadings(std::unique_ptr<Engine> engine) : engine_(std::move(engine)) {}
JapaneseReadings::~JapaneseReadings() = default;

const JapaneseReadings* JapaneseReadings::Shared() {
  return State().readings.get();
}
QString JapaneseReadings::DictionaryFolder() {
  return QStringLiteral(NORUMI_IPADIC_DIR);
}

QString JapaneseReadings::MissingReason() {
  return State().why;
}

bool JapaneseReadings::InThisBuild() {
#ifdef NORUMI_HAVE_MECAB
  return true;
#else
  return false;
#endif
}

}  // namespace norumi
