// Reading the plain-text verb files of the data tools.
//
// Both files are UTF-8, one verb per line, fields separated by ":"; lines
// that are empty or start with "#" are comments.
//
// Verb-table source (data/verbos.txt), 39 fields:
//   infinitive : ending the forms replace : participle : 36 finite forms
// The finite forms come tense by tense (Presente do Indicativo, Pretérito
// Perfeito, Pretérito Imperfeito, Futuro do Presente, Futuro do Pretérito,
// Imperativo), each for persons 0..5 (eu, tu, ele, nós, vós, eles); the
// imperative's first person is empty. Forms are written out in full; every
// one must begin with the infinitive minus its ending.
//
// Reference conjugations (the importer's output and tests/dados/verbos_amostra.txt),
// 39 fields:
//   infinitive : gerund : participle : 36 finite forms
// An empty field means the reference gives no form for that slot.
#pragma once

#include <string>
#include <vector>

// Splits one line into its ":" fields, converted to Windows-1252. False when
// the line is a comment. Throws nothing; a character Windows-1252 cannot hold
// makes `erro` non-empty.
bool LerLinhaVerbo(const std::string& linha, std::vector<std::string>& campos, std::string& erro);

// Reads every non-comment line of a file; false (with `erro`) when it cannot
// be read or a line does not have exactly 39 fields.
bool LerArquivoVerbos(const char* caminho, std::vector<std::vector<std::string>>& linhas, std::string& erro);
