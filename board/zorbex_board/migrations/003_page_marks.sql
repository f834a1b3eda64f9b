-- Where each page of each table begins, and how many players each table holds, kept as runs
-- enter the tables: a page deep in a table is read from its mark, not counted to.
CREATE TABLE board_pages (
    difficulty INTEGER NOT NULL,
    ending INTEGER NOT NULL,
    continued INTEGER NOT NULL,
    page BIGINT NOT NULL,
    first_place BIGINT NOT NULL,
    PRIMARY KEY (difficulty, ending, continued, page)
);

CREATE TABLE board_sizes (
    difficulty INTEGER NOT NULL,
    ending INTEGER NOT NULL,
    continued INTEGER NOT NULL,
    players BIGINT NOT NULL,
    PRIMARY KEY (difficulty, ending, continued)
);
