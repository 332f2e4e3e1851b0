#include "invio/IndiceSegni.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

// Every answer checked against a plain scan of the marks, through a long
// run of random changes, at sizes around the powers of two.
TEST(IndiceSegniTest, ComeUnaScansioneDeiSegni)
{
    std::mt19937 caso(7);
    for (const int n : {0, 1, 2, 3, 7, 8, 9, 64, 100}) {
        std::vector<char> segni(size_t(n), 0);
        for (char& s : segni)
            s = char(caso() % 2);
        IndiceSegni indice;
        indice.Costruisci(segni);
        for (int giro = 0; giro < 300; ++giro) {
            if (n > 0) {
                const int p = int(caso() % unsigned(n));
                const bool si = caso() % 2;
                EXPECT_EQ(indice.Imposta(p, si), (segni[size_t(p)] != 0) != si);
                segni[size_t(p)] = si ? 1 : 0;
            }
            std::vector<qsizetype> posizioni;
            for (int p = 0; p < n; ++p) {
                ASSERT_EQ(indice.Prima(p), qsizetype(posizioni.size())) << n << " " << p;
                ASSERT_EQ(indice.Segnato(p), segni[size_t(p)] != 0);
                if (segni[size_t(p)])
                    posizioni.push_back(p);
            }
            ASSERT_EQ(indice.Conta(), qsizetype(posizioni.size()));
            ASSERT_EQ(indice.Prima(n), indice.Conta());
            for (size_t k = 0; k < posizioni.size(); ++k)
                ASSERT_EQ(indice.Trova(qsizetype(k)), posizioni[k]) << n << " " << k;
        }
    }
}
