"""One router per resource: the runs, the tables, and the site around them."""
