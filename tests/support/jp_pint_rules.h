#pragma once
// The rules of a JP PINT invoice that can be checked without the official rule engine,
// over the XML as written: element order, no empty element, the registration number,
// whole-yen tax within floor … ceiling of its base, every sum of the totals, unit codes
// from the program's table only. Each broken rule is one line naming it.
#include <QString>
#include <QStringList>

#include <map>
#include <string>

namespace qmtest {

// An element of the parsed invoice: its text, attributes and children in order.
struct XmlNode {
  QString name, text;
  std::map<QString, QString> attributes;
  std::vector<XmlNode> children;
  // The first child (or descendant along a path "cac:A/cbc:B") of that name; null when none.
  const XmlNode* Find(const QString& path) const;
  std::vector<const XmlNode*> All(const QString& name) const;
};

// Parses the file's bytes; a node named "error" holding the reader's message when the
// XML does not read.
XmlNode ParseXml(const std::string& bytes);

// The broken rules; empty for an invoice that keeps every one.
QStringList BrokenJpPintRules(const std::string& xml);

// The amount of an element as a number of hundredths of a yen.
long long Hundredths(const QString& text);

// xmllint --noout over the bytes: its exit code and output.
std::pair<int, QString> XmlLint(const std::string& xml);

}  // namespace qmtest
